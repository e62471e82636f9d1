#!/usr/bin/env bash
# Draws the demo's pictures with ImageMagick: the shore and the lamp room
# (640 x 480 each) and the boardwalk's 64 x 64 plank tile.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

# /usr/local/bin/convert may shadow ImageMagick on some machines.

# The shore, seen from the beach at dusk.
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

# Boardwalk planks: four boards with staggered joints and nails. Grain lines
# start and end at the same height, so the tile repeats without a seam.
/usr/bin/convert -size 64x64 xc:'#8d5e36' \
  -fill '#9a6a3e' -draw "rectangle 0,0 63,15" \
  -fill '#8a5a33' -draw "rectangle 0,16 63,31" \
  -fill '#a06f42' -draw "rectangle 0,32 63,47" \
  -fill '#93643a' -draw "rectangle 0,48 63,63" \
  -fill '#b4804f' \
  -draw "rectangle 0,0 63,0" -draw "rectangle 0,16 63,16" \
  -draw "rectangle 0,32 63,32" -draw "rectangle 0,48 63,48" \
  -stroke '#7a4e2c' -strokewidth 1 -fill none \
  -draw "path 'M 0,6 Q 16,4 32,6 T 64,6'" -draw "path 'M 0,11 Q 20,13 40,11 T 80,11'" \
  -draw "path 'M 0,21 Q 16,23 32,21 T 64,21'" -draw "path 'M 0,27 Q 24,25 48,27 T 96,27'" \
  -draw "path 'M 0,37 Q 16,35 32,37 T 64,37'" -draw "path 'M 0,43 Q 16,45 32,43 T 64,43'" \
  -draw "path 'M 0,53 Q 16,55 32,53 T 64,53'" -draw "path 'M 0,59 Q 16,57 32,59 T 64,59'" \
  -stroke none -fill '#3b2514' \
  -draw "rectangle 0,15 63,15" -draw "rectangle 0,31 63,31" \
  -draw "rectangle 0,47 63,47" -draw "rectangle 0,63 63,63" \
  -draw "rectangle 40,1 40,14" -draw "rectangle 10,17 10,30" \
  -draw "rectangle 54,33 54,46" -draw "rectangle 24,49 24,62" \
  -fill '#4a2e18' \
  -draw "rectangle 36,3 37,4" -draw "rectangle 36,11 37,12" -draw "rectangle 43,3 44,4" -draw "rectangle 43,11 44,12" \
  -draw "rectangle 6,19 7,20" -draw "rectangle 6,27 7,28" -draw "rectangle 13,19 14,20" -draw "rectangle 13,27 14,28" \
  -draw "rectangle 50,35 51,36" -draw "rectangle 50,43 51,44" -draw "rectangle 57,35 58,36" -draw "rectangle 57,43 58,44" \
  -draw "rectangle 20,51 21,52" -draw "rectangle 20,59 21,60" -draw "rectangle 27,51 28,52" -draw "rectangle 27,59 28,60" \
  -strip PNG24:demo/Frames/planks.png

# The lamp room at the top of the lighthouse, at night: the lens between the
# window panes, its beams going out over the sea.
stars=()
for xy in 40,80 75,150 120,72 200,96 228,170 255,70 190,210 110,230 \
          360,84 400,150 430,70 455,200 520,92 560,160 590,75 610,220 \
          35,190 140,120 270,230 385,240 540,235 600,130 20,240 245,130; do
  x=${xy%,*} y=${xy#*,}
  stars+=(-draw "circle $x,$y $((x + 1)),$y")
done
/usr/bin/convert -size 640x480 xc:'#2a2e33' \
  \( -size 640x200 gradient:'#0a1430'-'#2b3f73' \) -geometry +0+60 -composite \
  -fill '#e8ecf5' "${stars[@]}" \
  -fill '#f4efd0' -draw "circle 90,112 90,98" \
  -fill '#16304f' -draw "rectangle 0,260 639,330" \
  -fill '#1d3d63' -draw "rectangle 0,262 639,268" \
  -fill '#f4efd0' -draw "rectangle 80,272 104,273" -draw "rectangle 84,282 100,283" -draw "rectangle 88,292 96,293" \
  -fill '#fffde030' -draw "polygon 320,205 0,160 0,250" -draw "polygon 320,205 640,165 640,245" \
  -fill '#14181b' \
  -draw "rectangle 0,280 639,282" -draw "rectangle 0,302 639,304" \
  -draw "rectangle 30,280 32,330" -draw "rectangle 70,280 72,330" -draw "rectangle 110,280 112,330" \
  -draw "rectangle 190,280 192,330" -draw "rectangle 230,280 232,330" -draw "rectangle 270,280 272,330" \
  -draw "rectangle 370,280 372,330" -draw "rectangle 410,280 412,330" -draw "rectangle 450,280 452,330" \
  -draw "rectangle 530,280 532,330" -draw "rectangle 570,280 572,330" -draw "rectangle 610,280 612,330" \
  -fill '#1f2326' \
  -draw "rectangle 0,60 12,340" -draw "rectangle 152,60 168,340" -draw "rectangle 312,60 328,340" \
  -draw "rectangle 472,60 488,340" -draw "rectangle 628,60 639,340" \
  -draw "rectangle 0,48 639,62" -draw "rectangle 0,326 639,340" \
  -fill '#3b1f1a' -draw "rectangle 0,0 639,47" \
  -stroke '#24120e' -strokewidth 4 \
  -draw "line 320,0 0,47" -draw "line 320,0 160,47" -draw "line 320,0 480,47" -draw "line 320,0 639,47" \
  -stroke none \
  -fill '#8a8f94' -draw "rectangle 0,341 639,392" \
  -fill '#6b7075' -draw "rectangle 0,341 639,345" \
  -fill '#5b6065' \
  -draw "circle 40,366 40,363" -draw "circle 120,366 120,363" -draw "circle 200,366 200,363" \
  -draw "circle 280,366 280,363" -draw "circle 360,366 360,363" -draw "circle 440,366 440,363" \
  -draw "circle 520,366 520,363" -draw "circle 600,366 600,363" \
  -fill '#4b5157' -draw "rectangle 0,393 639,479" \
  -stroke '#3a3f44' -strokewidth 2 \
  -draw "line 0,412 639,412" -draw "line 0,438 639,438" -draw "line 0,468 639,468" \
  -draw "line 80,393 -64,479" -draw "line 200,393 128,479" -draw "line 320,393 320,479" \
  -draw "line 440,393 512,479" -draw "line 560,393 704,479" \
  -stroke none \
  -fill '#fff3c422' -draw "circle 320,205 320,85" \
  -fill '#fff3c444' -draw "circle 320,205 320,130" \
  -fill '#2b2b2b' -draw "rectangle 314,48 326,112" \
  -fill '#7a5a1f' -draw "ellipse 320,426 74,14 0,360" \
  -fill '#a57a2a' -draw "polygon 290,424 350,424 340,300 300,300" \
  -fill '#c99a3a' -draw "rectangle 300,330 340,336" -draw "ellipse 320,300 42,8 0,360" \
  -fill '#cfe3e8bb' -draw "path 'M 268,300 L 262,180 Q 262,120 320,112 Q 378,120 378,180 L 372,300 Z'" \
  -stroke '#9fc3cc' -strokewidth 2 -fill none \
  -draw "line 268,140 372,140" -draw "line 266,160 374,160" -draw "line 266,250 374,250" \
  -draw "line 268,270 372,270" -draw "line 270,290 370,290" \
  -stroke '#b8892f' -strokewidth 3 \
  -draw "line 292,116 290,300" -draw "line 348,116 350,300" \
  -stroke none \
  -fill '#ffd84a' -draw "ellipse 320,205 34,40 0,360" \
  -fill '#fff6c8' -draw "ellipse 320,205 16,20 0,360" \
  -fill '#b8892f' -draw "ellipse 320,114 24,8 0,360" \
  -fill '#1c1f22' -draw "ellipse 170,452 44,11 0,360" \
  -fill '#6b4423' -draw "rectangle 150,430 155,452" -draw "rectangle 185,430 190,452" \
  -draw "rectangle 150,436 190,439" \
  -fill '#c0392b' -draw "rectangle 80,404 118,450" -draw "polygon 84,404 114,404 104,392 94,392" \
  -fill '#8b1e14' -draw "rectangle 80,420 118,424" \
  -stroke '#8b1e14' -strokewidth 4 -draw "line 116,410 140,390" \
  -fill none -draw "path 'M 88,392 Q 99,374 110,392'" \
  -stroke none \
  -fill '#6b4423' -draw "rectangle 480,380 580,390" \
  -draw "rectangle 488,390 494,462" -draw "rectangle 566,390 572,462" \
  -fill '#2e5a3a' -draw "rectangle 504,370 548,380" \
  -fill '#f4f1ea' -draw "rectangle 506,372 546,374" \
  -strip -dither None -colors 256 PNG8:demo/Frames/lamproom.png
