#!/usr/bin/env bash
# Writes the sample BMP files the reader is tested on, with ImageMagick, into $1.
# Pattern "rgb": 7x5 pixels, pixel (x, y) = (x*30, y*50, (x+y)*10), 35 colours.
# Pattern "four": 9x3 pixels of four colours; "mono": 10x3 black and white.
set -euo pipefail
out="$1"
mkdir -p "$out"
cd "$out"
convert=/usr/bin/convert
{
  echo "P3 7 5 255"
  for y in 0 1 2 3 4; do for x in 0 1 2 3 4 5 6; do
    echo "$((x * 30)) $((y * 50)) $(((x + y) * 10))"
  done; done
} > rgb.ppm
{
  echo "P3 9 3 255"
  c=("255 0 0" "0 255 0" "0 0 255" "255 255 255")
  for y in 0 1 2; do for x in 0 1 2 3 4 5 6 7 8; do echo "${c[$(((x + y) % 4))]}"; done; done
} > four.ppm
{
  echo "P3 10 3 255"
  for y in 0 1 2; do for x in $(seq 0 9); do
    if [ $(((x + y) % 3)) = 0 ]; then echo "255 255 255"; else echo "0 0 0"; fi
  done; done
} > mono.ppm
$convert rgb.ppm -type TrueColor BMP3:rgb24.bmp
$convert rgb.ppm -alpha set -channel A -evaluate set 100% +channel -type TrueColorAlpha BMP:rgb32.bmp
$convert rgb.ppm -type Palette -compress None BMP3:rgb8.bmp
$convert rgb.ppm -type Palette -compress RLE BMP3:rgb8rle.bmp
$convert rgb.ppm -define bmp:subtype=RGB565 BMP:rgb16.bmp
$convert four.ppm -type Palette BMP3:four4.bmp
$convert mono.ppm -type Bilevel BMP3:mono1.bmp
$convert four.ppm -type Palette BMP2:four_core.bmp
rm -f ./*.ppm
