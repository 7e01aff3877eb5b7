#!/usr/bin/env bash
# The plugin's folders are layers, bottom first; each includes only its own layer and the
# ones below it, so that a layer can change without those beneath it. The order is the
# README's layout table's.
set -euo pipefail
cd "$1"
layers=(ui hook settings popup engine config plugin)
status=0
for ((i = 0; i < ${#layers[@]}; i++)); do
  above=("${layers[@]:i+1}")
  [ ${#above[@]} -eq 0 ] && break
  pattern="^#include \"($(IFS='|'; echo "${above[*]}"))/"
  bad=$(grep -HnE "$pattern" "${layers[i]}"/*.h "${layers[i]}"/*.cpp || true)
  if [ -n "$bad" ]; then
    echo "FAIL: ${layers[i]}/ includes a layer above it:" >&2
    echo "$bad" >&2
    status=1
  fi
done
[ $status -eq 0 ] && echo "every folder includes only its layer and those below: ${layers[*]}"
exit $status
