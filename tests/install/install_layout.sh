#!/usr/bin/env bash
# An install into a fresh prefix lays out exactly the program, the desktop entry and the
# icons in their freedesktop places, and the caption faces under the program's data folder;
# the entry passes the desktop's validator without a word (the validator reports some errors
# and still exits 0, so its output is what counts), and each icon is a PNG of its folder's
# size.
set -euo pipefail
BUILD=${1:?usage: $0 build-dir}
PREFIX=$(mktemp -d /tmp/plume-install-XXXXXX)
trap 'rm -rf "$PREFIX"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$BUILD" --prefix "$PREFIX" >/dev/null

expected="bin/plume
share/applications/plume.desktop"
for size in 16 24 32 48 64 128 256; do
  expected+=$'\n'"share/icons/hicolor/${size}x${size}/apps/plume.png"
done
# The caption faces, when the build made them.
for face in "$BUILD"/fonts/plume-*.ttf; do
  [ -e "$face" ] && expected+=$'\n'"share/plume/fonts/$(basename "$face")"
done
got=$(cd "$PREFIX" && find . -mindepth 1 \( -type f -o -type l \) -printf '%P\n' | LC_ALL=C sort)
expected=$(LC_ALL=C sort <<<"$expected")
[ "$got" == "$expected" ] || fail "installed files differ:"$'\n'"$(diff <(echo "$expected") <(echo "$got"))"

[ -x "$PREFIX/bin/plume" ] || fail "the program is not executable"
for face in "$BUILD"/fonts/plume-*.ttf; do
  [ -e "$face" ] || continue
  cmp -s "$face" "$PREFIX/share/plume/fonts/$(basename "$face")" || fail "$(basename "$face") differs from the build's"
done

out=$(desktop-file-validate "$PREFIX/share/applications/plume.desktop" 2>&1) || fail "desktop-file-validate failed: $out"
[ -z "$out" ] || fail "desktop-file-validate says: $out"
entry="$PREFIX/share/applications/plume.desktop"
grep -qx 'Categories=AudioVideo;Audio;Player;' "$entry" || fail "categories"
grep -qx 'MimeType=x-content/audio-cdda;' "$entry" || fail "mime type"
grep -qx 'Name\[ja\]=ＣＤデッキ「澄響」' "$entry" || fail "Japanese name"
grep -qx 'Icon=plume' "$entry" || fail "icon name"

for size in 16 24 32 48 64 128 256; do
  png="$PREFIX/share/icons/hicolor/${size}x${size}/apps/plume.png"
  # The PNG signature, then the header chunk's width and height as big-endian numbers.
  sig=$(head -c 8 "$png" | od -An -tx1 | tr -d ' \n')
  [ "$sig" == "89504e470d0a1a0a" ] || fail "$png is no PNG"
  read -r w h < <(od -An -tu1 -j16 -N8 "$png" | awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}')
  [ "$w x $h" == "$size x $size" ] || fail "$png is $w x $h"
done
echo "PASS: install layout"
