#!/usr/bin/env bash
# The plugin's folders are layers, bottom first; each includes only its own layer and the
# ones below it, so that a layer can change without those beneath it. The order is the
# README's layout table's. Every include form the compiler takes is read: quotes or angle
# brackets, blanks around the '#', and relative paths that climb into another folder.
set -euo pipefail
cd "$1"
layers=(ui hook settings popup engine config plugin)
rank() {
  local i
  for ((i = 0; i < ${#layers[@]}; i++)); do [ "${layers[i]}" = "$1" ] && echo "$i" && return; done
  echo -1
}
status=0
for ((i = 0; i < ${#layers[@]}; i++)); do
  for file in "${layers[i]}"/*.h "${layers[i]}"/*.cpp; do
    [ -e "$file" ] || continue
    while IFS=: read -r line target; do
      case "$target" in
        ./* | ../*) path=$(realpath -m --relative-to=. "${layers[i]}/$target") ;;
        *) [ -e "${layers[i]}/$target" ] && path="${layers[i]}/$target" || path="$target" ;;
      esac
      if [ "$(rank "${path%%/*}")" -gt "$i" ]; then
        [ $status -eq 0 ] && echo "FAIL: a folder includes a layer above it:" >&2
        echo "$file:$line: $target" >&2
        status=1
      fi
    done < <(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]' "$file" |
             sed -E 's/^([0-9]+):[^<"]*[<"]([^>"]*)[>"].*/\1:\2/')
  done
done
[ $status -eq 0 ] && echo "every folder includes only its layer and those below: ${layers[*]}"
exit $status
