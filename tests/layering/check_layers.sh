#!/usr/bin/env bash
# Each layer may include only itself and the layers below it; only platform/qt/, the
# program's main routine and the Qt tests may see Qt; the libraries a platform service wraps
# stay in the platform. The build refuses most upward includes by itself (each layer's
# target sees only the folders below it); this check also covers what a compiler cannot
# see: the Qt rule, system libraries, tests and files in no layer at all.
#
# It reads the source tree as files (no version control needed) and fails when it finds no
# sources, so a wrong folder cannot pass for a clean one. Both include forms are checked:
# a project header written with angle brackets is still a project header.
set -uo pipefail
root=${1:?usage: $0 source-dir}
cd "$root" || { echo "layers: cannot enter $root"; exit 2; }

mapfile -t files < <(find . \( -name .git -o -name 'build*' -o -name node_modules \) -prune -o \
  -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.hpp' -o -name '*.cc' \) -print |
  sed 's|^\./||' | LC_ALL=C sort)
if [ ${#files[@]} -eq 0 ]; then
  echo "layers: no C++ sources under $root"
  exit 2
fi

status=0
complain() {
  echo "$1"
  status=1
}

# The folders a file's layer may include from, as a regular expression over include paths.
below_platform='platform/'
below_framework="framework/|$below_platform"
below_components="engine/|controls/|settings/IniGT\\.h$|$below_framework"
below_windows="player/|editor/|about/|settings/|$below_components"
anything='[a-z_]+/'

layer_of() {  # sets layer and allowed (a regex over include paths); empty for no layer
  layer= allowed=
  case $1 in
    platform/qt/*) layer=platform-on-Qt allowed=$below_platform ;;
    platform/win32/*) layer=platform-on-Win32 allowed=$below_platform ;;
    platform/*) layer=platform allowed=$below_platform ;;
    framework/*) layer=framework allowed=$below_framework ;;
    engine/* | controls/* | settings/IniGT.*) layer=components allowed=$below_components ;;
    player/* | editor/* | about/* | settings/*) layer=windows allowed=$below_windows ;;
    tests/* | bench/* | tools/*) layer=tests allowed=$anything ;;
  esac
}

# The benchmarks' bare Qt program, which the player is measured against, is no part of the
# player.
may_see_qt() {
  case $1 in
    platform/qt/* | player/Project1.cpp | tests/platform_qt/* | tests/player_qt/* | bench/floor.cpp) return 0 ;;
  esac
  return 1
}

# The Windows backend is the Qt backend's sibling: only the main routine and tests reach it.
may_see_win32() {
  case $1 in
    platform/win32/* | player/Project1Win32.cpp | tests/*) return 0 ;;
  esac
  return 1
}

# The project's own top folders; an include that starts with one of them is a project
# include whichever quotes it is written with.
project='^(platform|framework|engine|controls|settings|player|editor|about|tests|bench|tools|resources)/'

for file in "${files[@]}"; do
  layer_of "$file"
  [ -n "$layer" ] || complain "$file is in no layer: put it in a layer's folder or name its folder in $0"
done

# One pass over every include line of every file: "file:path".
while IFS= read -r line; do
  file=${line%%:*}
  inc=${line#*:}
  inc=${inc#*include}
  inc=${inc#"${inc%%[<\"]*}"}
  inc=${inc:1}
  inc=${inc%%[>\"]*}
  layer_of "$file"
  [ -n "$layer" ] || continue
  if [[ $inc =~ ^Q || $inc =~ ^Qt[A-Za-z]*/ ]]; then
    may_see_qt "$file" || complain "$file includes <$inc>: Qt belongs to platform/qt/ alone"
  elif [[ $inc == platform/qt/* ]]; then
    may_see_qt "$file" || complain "$file includes $inc: only the main routine and the Qt tests reach platform/qt/"
  elif [[ $inc == platform/win32/* ]]; then
    may_see_win32 "$file" || complain "$file includes $inc: only the main routine and the tests reach platform/win32/"
  elif [[ ${inc,,} =~ ^(windows|mmsystem|commctrl|wingdi|winuser|shellapi|shlobj|objbase)\.h$ ]]; then
    [[ $file == platform/* || $file == tests/* ]] ||
      complain "$file includes <$inc>: the system's headers are the platform's to include"
  elif [[ $inc =~ $project ]]; then
    [[ $inc =~ ^($allowed) ]] || complain "$file includes $inc, above the $layer layer"
  elif [[ $inc =~ ^(cdio|pulse|xcb|X11)/ ]]; then
    [[ $file == platform/* || $file == tests/* || $file == bench/* ]] ||
      complain "$file includes <$inc>: the libraries the platform wraps stay in platform/"
  fi
done < <(grep -EH '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"][^>"]+[>"]' "${files[@]}")

# Inside the platform, the drive letters build on the CD drivers: the CD command layer
# finds its drivers through the drive source it is given and never reaches the table.
for file in "${files[@]}"; do
  [[ $file == platform/mci/* ]] || continue
  if grep -Eq '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]platform/drives/' "$file"; then
    complain "$file includes platform/drives/: the drive table builds on the CD drivers, not the other way round"
  fi
done

[ $status -eq 0 ] && echo "layers: every include of ${#files[@]} files points downwards"
exit $status
