#!/usr/bin/env bash
# The product exports one undecorated name and imports system DLLs only: at load, only those
# every GUI process has already, since the hooks load it into every program that takes a key.
set -euo pipefail
objdump="$1"; dll="$2"
dump="$("$objdump" -p "$dll")"
exports="$(awk '/\[Ordinal\/Name Pointer\] Table/{f=1;next} f && /^[ \t]*\[/{print $NF; next} {f=0}' <<<"$dump")"
echo "exports: $exports"
if [ "$exports" != "winampGetGeneralPurposePlugin" ]; then
  echo "FAIL: export table must hold exactly winampGetGeneralPurposePlugin" >&2
  exit 1
fi
imports="$(awk '/DLL Name:/{print tolower($3)}' <<<"$dump" | sort -u)"
echo "imports:" $imports
allowed='^(kernel32|user32|gdi32|advapi32|msvcrt)\.dll$'
bad=0
for d in $imports; do
  if ! [[ "$d" =~ $allowed ]]; then echo "FAIL: imports $d" >&2; bad=1; fi
done
# Loaded into every hooked process: a guard against library code pulled in by mistake. It
# weighs the sections' contents, not the file: the file pads each section to a page.
size=$(stat -c %s "$dll")
content=0
for hex in $("$objdump" -h "$dll" | awk '$1 ~ /^[0-9]+$/ {print $3}'); do
  content=$((content + 16#$hex))
done
echo "size: $size bytes in the file, $content bytes of sections"
if [ "$content" -gt 450560 ]; then echo "FAIL: $dll holds $content bytes, over 440 KiB" >&2; bad=1; fi
# Two such pulls seen before: the C++ demangler (behind the default terminate handler, its
# names table reads "basic_iostream") and zlib's compressor (behind the blob writer).
for marker in basic_iostream "deflate 1."; do
  if grep -qaF "$marker" "$dll"; then echo "FAIL: $dll holds \"$marker\"" >&2; bad=1; fi
done
exit $bad
