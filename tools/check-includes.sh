#!/usr/bin/env bash
# Fails when a module under src/ includes a header of a module above it.
# The order, lowest first; a module may include its own and lower ones.
set -euo pipefail
order=(platform settings mp3 lang player rename recode picture disc chrome app)
src=${1:-$(dirname "$0")/../src}

rank() {
  local i
  for i in "${!order[@]}"; do [ "${order[$i]}" = "$1" ] && { echo "$i"; return; }; done
  echo -1
}

bad=0
for dir in "$src"/*/; do
  module=$(basename "$dir")
  own=$(rank "$module")
  if [ "$own" -lt 0 ]; then
    echo "$module: module not in the order of tools/check-includes.sh" >&2
    bad=1
    continue
  fi
  while IFS=: read -r file line target; do
    other=$(rank "$target")
    [ "$other" -lt 0 ] && continue
    if [ "$other" -gt "$own" ]; then
      echo "${file#"$src"/}:$line: $module includes $target, which lies above it" >&2
      bad=1
    fi
  done < <(grep -rnoE '^#include "[a-z0-9_]+/' "$dir" | sed -E 's/#include "([a-z0-9_]+)\/$/\1/')
done
exit "$bad"
