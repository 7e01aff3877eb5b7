#!/usr/bin/env bash
# Makes the release archive from the DLL under test (and the other architecture's, when
# that tree is built), unpacks it into a fresh folder and runs the package test program on
# it: run_package.sh EMULATOR TEST_EXE DLL
set -euo pipefail
emulator="$1" exe="$2" dll="$3"
root="$(cd "$(dirname "$0")/../.." && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
dlls=("$dll")
for other in "$root"/build/win32/bin/gen_velmora.dll "$root"/build/win64/bin/gen_velmora.dll; do
  if [ -f "$other" ] && [ "$(realpath "$other")" != "$(realpath "$dll")" ]; then dlls+=("$other"); fi
done
zip="$("$root/scripts/lib/make-package" "$work/dist" "${dlls[@]}" 2>/dev/null | tail -1)"
mkdir "$work/unpacked"
(cd "$work/unpacked" && cmake -E tar xf "$zip")
folder="$(ls -d "$work"/unpacked/gen_velmora-*)"
VELMORA_PACKAGE="Z:$(echo "$folder" | tr / '\\')" "$emulator" "$exe"
