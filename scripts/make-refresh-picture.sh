#!/usr/bin/env bash
# Draws the 16 x 16 green refresh symbol (two curved arrows chasing each
# other, on the grey of a dialog's face) shown beside the laying date and
# time, and writes it as a JPEG into
# resources/. Drawn at 64 x 64 and scaled down so the curves stay smooth.
# Needs ImageMagick. Run it again only to change the picture; the result is
# committed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/resources/refresh16.jpg}
green='#1f9a2e'
# Two arcs of radius 22 around (32,32), from 200 to 340 degrees (top) and
# from 20 to 160 degrees (bottom), clockwise from 3 o'clock. Each arrow head
# sits on the end of its arc, pointing along the clockwise turn.
# Each arc is filled as a band 7 px wide around that radius: this
# ImageMagick strokes open polylines as closed ones.
band() {
  awk -v from="$1" -v to="$2" 'BEGIN {
    pi = atan2(0, -1)
    for (a = from; a <= to; a += 5)
      printf "%.2f,%.2f ", 32 + 25.5 * cos(a * pi / 180), 32 + 25.5 * sin(a * pi / 180)
    for (a = to; a >= from; a -= 5)
      printf "%.2f,%.2f ", 32 + 18.5 * cos(a * pi / 180), 32 + 18.5 * sin(a * pi / 180)
  }'
}
convert -size 64x64 xc:'#efefef' \
  -stroke none -fill "$green" \
  -draw "polygon $(band 200 340)" \
  -draw "polygon $(band 20 160)" \
  -draw "polygon 61.1,21.4 44.2,27.6 56.1,33.9" \
  -draw "polygon 2.9,42.6 19.8,36.4 7.9,30.1" \
  -filter Lanczos -resize 16x16 \
  -strip -sampling-factor 1x1 -quality 95 "jpeg:$out"
echo "wrote $out"
