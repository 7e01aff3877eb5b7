#!/usr/bin/env bash
# Renders the logo's lettering as 8-bit coverage (214 x 26 bytes, top row first) with
# ImageMagick and Debian's DejaVu fonts; make_logo composes and packs it.
#   make_glyphs.sh OUT.gray
set -euo pipefail
fonts=/usr/share/fonts/truetype/dejavu
convert -size 214x26 xc:black -fill white \
  -font "$fonts/DejaVuSans-Bold.ttf" -pointsize 16 -annotate +8+19 'gen_velmora' \
  -font "$fonts/DejaVuSans.ttf" -pointsize 9 -annotate +126+18 'hot keys  jog dial' \
  -colorspace Gray -depth 8 "gray:$1"
