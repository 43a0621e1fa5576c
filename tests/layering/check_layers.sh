#!/usr/bin/env bash
# Each layer may include only the layers below it, and only platform/qt/ and the program's
# main routine may see Qt. A wrong include is a build error in spirit; this check makes it
# one in fact, since every library shares the source root as its include path.
set -euo pipefail
cd "${1:?usage: $0 source-dir}"

status=0
check() {  # files, allowed include prefixes (regex), what
  local files=$1 allowed=$2 what=$3
  # Project includes are the quoted ones; system and Qt headers use angle brackets.
  while IFS= read -r line; do
    file=${line%%:*}
    inc=$(sed -E 's/^.*#include "([^"]+)".*$/\1/' <<<"$line")
    if ! grep -Eq "^($allowed)" <<<"$inc"; then
      echo "$file includes $inc, above the $what layer"
      status=1
    fi
  done < <(grep -EHn '^\s*#include "' $files 2>/dev/null || true)
}

check "$(git ls-files 'platform/*.h' 'platform/*.cpp' | grep -v '^platform/qt/' | tr '\n' ' ')" "platform/" "platform"
check "$(git ls-files 'framework/*.h' 'framework/*.cpp' | tr '\n' ' ')" "framework/|platform/" "framework"
check "$(git ls-files 'engine/*' 'controls/*' 'settings/IniGT.*' | tr '\n' ' ')" \
  "engine/|controls/|settings/IniGT\\.h$|framework/|platform/" "components"

# Qt stays in its own folder and the main routine (the benchmarks' bare Qt program, which
# the player is measured against, is no part of the player).
qt=$(git ls-files '*.h' '*.cpp' | grep -Ev '^(platform/qt/|player/Project1\.cpp|tests/|bench/floor\.cpp$)' |
     xargs grep -El '^\s*#include <Q' 2>/dev/null || true)
if [ -n "$qt" ]; then
  echo "Qt headers outside platform/qt/ and the main routine: $qt"
  status=1
fi
[ $status -eq 0 ] && echo "layers: every include points downwards"
exit $status
