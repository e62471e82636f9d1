#!/usr/bin/env bash
# Draws the demo's shore picture (demo/Frames/shore.png, 640 x 480) with ImageMagick.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

# /usr/local/bin/convert may shadow ImageMagick on some machines.
/usr/bin/convert -size 640x480 gradient:'#24407a'-'#f6c48f' \
  -fill '#fff3c4' -draw "circle 150,270 150,238" \
  -fill '#ffffffcc' \
  -draw "ellipse 120,90 60,14 0,360" -draw "ellipse 160,80 40,16 0,360" \
  -draw "ellipse 330,60 50,12 0,360" -draw "ellipse 365,52 30,12 0,360" \
  -fill '#fffde055' -draw "polygon 535,150 0,70 0,120" -draw "polygon 535,150 640,100 640,135" \
  -fill '#2f6f9f' -draw "rectangle 0,270 639,479" \
  -fill '#3f82b3' -draw "rectangle 0,300 639,479" \
  -fill '#fff3c4' \
  -draw "rectangle 118,276 182,278" -draw "rectangle 126,284 174,286" \
  -draw "rectangle 134,293 166,295" -draw "rectangle 142,303 158,305" \
  -stroke '#9cc9e6' -strokewidth 2 -fill none \
  -draw "path 'M 30,290 Q 45,284 60,290'" -draw "path 'M 210,310 Q 228,303 246,310'" \
  -draw "path 'M 330,288 Q 345,282 360,288'" -draw "path 'M 60,335 Q 80,327 100,335'" \
  -draw "path 'M 380,340 Q 400,332 420,340'" \
  -stroke none \
  -fill '#8b5a2b' -draw "path 'M 260,330 L 310,330 L 302,340 L 268,340 Z'" \
  -fill '#6b4423' -draw "rectangle 284,296 286,330" \
  -fill '#ffffff' -draw "polygon 288,298 288,328 306,328" \
  -fill '#e2c48e' -draw "path 'M 0,480 L 0,380 Q 160,340 330,372 Q 430,390 520,440 L 560,480 Z'" \
  -fill '#ecd6a4' -draw "path 'M 0,480 L 0,410 Q 150,380 300,400 Q 400,418 470,480 Z'" \
  -fill '#ffffff88' \
  -draw "path 'M 0,382 Q 160,342 330,374 Q 430,392 520,442 L 515,446 Q 425,398 328,380 Q 160,350 0,389 Z'" \
  -fill '#c9a36a' \
  -draw "ellipse 120,440 8,4 0,360" -draw "ellipse 260,455 6,3 0,360" -draw "ellipse 60,420 5,3 0,360" \
  -fill '#5b5f63' -draw "path 'M 420,480 L 440,330 Q 470,300 520,296 Q 600,300 640,320 L 640,480 Z'" \
  -fill '#6e7378' -draw "path 'M 450,480 L 466,345 Q 500,318 560,322 Q 610,330 640,345 L 640,480 Z'" \
  -fill '#f4f1ea' -draw "polygon 515,310 555,310 547,170 523,170" \
  -fill '#c0392b' \
  -draw "polygon 518,282 552,282 550,255 520,255" -draw "polygon 521,228 549,228 548,202 522,202" \
  -fill '#2b2b2b' -draw "rectangle 512,162 558,170" -draw "rectangle 520,140 550,162" \
  -fill '#ffd84a' -draw "rectangle 524,144 546,160" \
  -fill '#c0392b' -draw "polygon 516,140 554,140 535,122" \
  -fill '#2b2b2b' -draw "line 535,122 535,114" \
  -fill '#4a3526' -draw "rectangle 530,290 540,310" \
  -fill '#7fb2d6' -draw "rectangle 532,235 538,245" \
  -strip -dither None -colors 256 PNG8:demo/Frames/shore.png
