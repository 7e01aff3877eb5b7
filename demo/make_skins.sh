#!/usr/bin/env bash
# Makes the demo's skin set with ImageMagick: one 120 x 36 BMP per command, a gradient
# with the command's name where a font is available.
set -euo pipefail
out="$1"
mkdir -p "$out"
convert=/usr/bin/convert
make() {  # name text from to
  if ! $convert -size 120x36 "gradient:$3-$4" -gravity center -fill white -font DejaVu-Sans -pointsize 16 \
      -annotate 0 "$2" -type TrueColor "BMP3:$out/$1.bmp" 2>/dev/null; then
    $convert -size 120x36 "gradient:$3-$4" -type TrueColor "BMP3:$out/$1.bmp"
  fi
}
make Prev "Prev" navy royalblue
make Play "Play" darkgreen limegreen
make Pause "Pause" darkorange gold
make Stop "Stop" darkred red
make Next "Next" navy deepskyblue
make Open "Open" purple orchid
make VolumeUp "Volume +" teal turquoise
make VolumeDown "Volume -" teal darkslategray
make Enable "Enabled" darkgreen seagreen
make Disable "Disabled" black gray
