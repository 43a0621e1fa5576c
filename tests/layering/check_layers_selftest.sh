#!/usr/bin/env bash
# The layering check must fail for every kind of wrong include, and only for it: each case
# plants one line in a temporary copy of the sources, runs the check and looks for the
# planted file in its complaint. A check that passes everything fails here.
set -uo pipefail
src=${1:?usage: $0 source-dir}
check=$(cd "$(dirname "$0")" && pwd)/check_layers.sh

work=$(mktemp -d /tmp/plume-layers-XXXXXX)
trap 'rm -rf "$work"' EXIT
tree=$work/tree
mkdir -p "$tree"
(cd "$src" && find . \( -name .git -o -name 'build*' \) -prune -o -type f \( -name '*.cpp' -o -name '*.h' \) \
   -exec cp --parents -t "$tree" {} +) || { echo "cannot copy $src"; exit 1; }

failures=0
fail() {
  echo "FAIL: $1"
  failures=$((failures + 1))
}

if ! out=$(bash "$check" "$tree" 2>&1); then
  fail "the unchanged copy does not pass: $out"
fi

# file to plant in, line to plant, whether the check must refuse it
cases=(
  "framework/Component.h|#include <engine/Cdp.h>|refuse"
  "framework/Component.h|#include \"settings/IniGT.h\"|refuse"
  "platform/mci/CdDriver.h|#include \"platform/qt/QtBackend.h\"|refuse"
  "platform/mci/CdCommandLayer.cpp|#include \"platform/drives/DriveTable.h\"|refuse"
  "platform/messages/Messages.cpp|#include \"framework/Component.h\"|refuse"
  "engine/Cdp.cpp|#include <QString>|refuse"
  "engine/Cdp.cpp|#include \"player/Unit1.h\"|refuse"
  "settings/IniGT.cpp|#include \"settings/Unit3.h\"|refuse"
  "player/Unit1.cpp|#include \"platform/qt/QtBackend.h\"|refuse"
  "player/Unit1.cpp|#include <QtWidgets/QWidget>|refuse"
  "tests/engine/CdpPollTest.cpp|#include \"platform/qt/QtBackend.h\"|refuse"
  "framework/Canvas.cpp|#include <cdio/cdio.h>|refuse"
  "engine/Cdp.cpp|#include <windows.h>|refuse"
  "framework/Form.cpp|#include \"platform/win32/Win32Backend.h\"|refuse"
  "platform/win32/Win32Form.cpp|#include \"framework/Form.h\"|refuse"
  "platform/win32/Win32Form.cpp|#include <commctrl.h>|accept"
  "player/Project1Win32.cpp|#include \"platform/win32/Win32Backend.h\"|accept"
  "player/Unit1.cpp|#include \"platform/win32/Win32Backend.h\"|refuse"
  "misc/Stray.cpp|#include <string>|refuse"
  "platform/audio/PulseOutput.cpp|#include <pulse/simple.h>|accept"
  "platform/audio/PulseOutput.cpp|#include \"platform/messages/EventLoop.h\"|accept"
  "tests/fuzz/DescriptionFuzz.cpp|#include \"framework/DescriptionReader.h\"|accept"
  "player/Unit1.cpp|#include \"settings/Unit3.h\"|accept"
  "tests/platform_qt/Extra.cpp|#include <QWidget>|accept"
)
for c in "${cases[@]}"; do
  IFS='|' read -r file line want <<<"$c"
  target=$tree/$file
  mkdir -p "$(dirname "$target")"
  existed=0
  [ -f "$target" ] && existed=1 && cp "$target" "$work/saved"
  printf '%s\n' "$line" >>"$target"
  out=$(bash "$check" "$tree" 2>&1)
  rc=$?
  if [ "$want" = refuse ]; then
    if [ $rc -eq 0 ]; then
      fail "$file: '$line' passed"
    elif ! grep -qF "$file" <<<"$out"; then
      fail "$file: '$line' failed, but not for the planted line: $out"
    fi
  elif [ $rc -ne 0 ]; then
    fail "$file: '$line' was refused: $out"
  fi
  if [ $existed -eq 1 ]; then cp "$work/saved" "$target"; else rm -f "$target"; fi
done

# A folder without sources is no clean tree.
mkdir -p "$work/empty"
if bash "$check" "$work/empty" >/dev/null 2>&1; then
  fail "a folder with no sources passed"
fi

[ $failures -eq 0 ] && echo "layering check: ${#cases[@]} planted includes judged right"
exit $((failures > 0))
