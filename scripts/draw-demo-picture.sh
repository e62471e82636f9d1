#!/usr/bin/env bash
# Draws the demo's pictures with ImageMagick: the shore and the lamp room
# (640 x 480 each), the boardwalk's 64 x 64 plank tile, the area pictures
# (transparent PNGs and an animated GIF) and the two mouse cursors.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

# /usr/local/bin/convert may shadow ImageMagick on some machines.

# The shore, seen from the beach at dusk; the lighthouse lamp is out.
/usr/bin/convert -size 640x480 gradient:'#24407a'-'#f6c48f' \
  -fill '#fff3c4' -draw "circle 150,270 150,238" \
  -fill '#ffffffcc' \
  -draw "ellipse 120,90 60,14 0,360" -draw "ellipse 160,80 40,16 0,360" \
  -draw "ellipse 330,60 50,12 0,360" -draw "ellipse 365,52 30,12 0,360" \
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
  -fill '#39434d' -draw "rectangle 524,144 546,160" \
  -fill '#56626e' -draw "polygon 526,146 532,146 527,158 526,158" \
  -fill '#c0392b' -draw "polygon 516,140 554,140 535,122" \
  -fill '#2b2b2b' -draw "line 535,122 535,114" \
  -fill '#4a3526' -draw "rectangle 527,286 543,310" -draw "ellipse 535,287 8,4 180,360" \
  -fill '#3a281c' -draw "rectangle 535,284 535,310" \
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

# The lamp room at the top of the lighthouse, at night: the dark lens between
# the window panes, the hatch down to the stairs. The lamp's light and the oil
# can are areas.
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
  -fill '#8d9a9e' -draw "ellipse 320,205 34,40 0,360" \
  -fill '#a9b6b9' -draw "ellipse 320,205 16,20 0,360" \
  -fill '#b8892f' -draw "ellipse 320,114 24,8 0,360" \
  -fill '#1c1f22' -draw "ellipse 170,452 44,11 0,360" \
  -fill '#6b4423' -draw "rectangle 150,430 155,452" -draw "rectangle 185,430 190,452" \
  -draw "rectangle 150,436 190,439" \
  -fill '#6b4423' -draw "rectangle 480,380 580,390" \
  -draw "rectangle 488,390 494,462" -draw "rectangle 566,390 572,462" \
  -fill '#2e5a3a' -draw "rectangle 504,370 548,380" \
  -fill '#f4f1ea' -draw "rectangle 506,372 546,374" \
  -strip -dither None -colors 256 PNG8:demo/Frames/lamproom.png

# Area pictures; the still ones have transparent backgrounds. Each area file
# stores the picture's rectangle grown by 2 px on every side, since the player
# insets a still area by that much.
mkdir -p demo/Areas demo/Icons

# Arrows: left, to the boardwalk; down, back the way you came.
/usr/bin/convert -size 72x44 xc:none \
  -stroke '#3b2514' -strokewidth 3 -fill '#fff3c4' \
  -draw "polygon 3,22 27,3 27,13 68,13 68,31 27,31 27,41" \
  -strip PNG32:demo/Areas/arrow-left.png
/usr/bin/convert -size 48x52 xc:none \
  -stroke '#3b2514' -strokewidth 3 -fill '#fff3c4' \
  -draw "polygon 24,48 3,27 15,27 15,3 33,3 33,27 45,27" \
  -strip PNG32:demo/Areas/arrow-down.png

# The keeper's brass key, lying on the planks with its shadow.
/usr/bin/convert -size 60x28 xc:none \
  -fill '#00000040' -draw "ellipse 32,22 26,4 0,360" \
  -stroke '#3b2410' -strokewidth 7 -fill none -draw "circle 12,13 12,6" \
  -stroke none -fill '#3b2410' -draw "rectangle 17,9 56,17" \
  -draw "rectangle 42,15 49,25" -draw "rectangle 51,15 56,22" \
  -stroke '#d9a93a' -strokewidth 4 -fill none -draw "circle 12,13 12,6" \
  -stroke none -fill '#d9a93a' -draw "rectangle 19,11 54,15" \
  -draw "rectangle 44,15 47,23" -draw "rectangle 53,15 54,20" \
  -fill '#f6dc8a' -draw "rectangle 21,11 52,11" -draw "point 8,8" -draw "point 9,7" \
  -strip PNG32:demo/Areas/key.png

# The lighthouse door: shut (the key fits it), and open on the lit stairs.
/usr/bin/convert -size 17x28 xc:none \
  -fill '#6b4a2e' -draw "rectangle 0,4 16,27" -draw "ellipse 8,4 8,4 180,360" \
  -fill '#4a3526' -draw "rectangle 5,1 5,27" -draw "rectangle 11,1 11,27" \
  -fill '#e0b040' -draw "rectangle 12,15 13,16" -draw "rectangle 12,18 12,20" \
  -fill '#2b1d12' -draw "rectangle 0,26 16,27" \
  -strip PNG32:demo/Areas/door.png
/usr/bin/convert -size 17x28 xc:none \
  -fill '#1a1410' -draw "rectangle 0,4 16,27" -draw "ellipse 8,4 8,4 180,360" \
  -fill '#5a3c1c' -draw "rectangle 4,20 16,27" \
  -fill '#c98a36' -draw "rectangle 5,24 16,27" -draw "rectangle 8,20 16,22" \
  -fill '#f0c060' -draw "rectangle 7,25 16,26" -draw "rectangle 10,21 16,21" \
  -fill '#6b4a2e' -draw "rectangle 0,3 3,27" \
  -fill '#4a3526' -draw "rectangle 3,3 3,27" \
  -strip PNG32:demo/Areas/door-open.png

# The lit lamp seen from the shore: its light and two beams over the sea.
# Placed at 0, 64 (the stored rectangle starts 2 px off the screen).
/usr/bin/convert -size 640x100 xc:none \
  -fill '#fffde055' -draw "polygon 535,86 0,6 0,56" -draw "polygon 535,86 640,36 640,71" \
  -fill '#ffe9a040' -draw "circle 535,88 535,64" \
  -fill '#ffd84a' -draw "rectangle 524,80 546,96" \
  -fill '#fff6c8' -draw "rectangle 530,83 540,93" \
  -strip PNG32:demo/Areas/shore-beams.png

# The lit lamp in the lamp room: halo and beams, placed at 0, 84.
/usr/bin/convert -size 640x244 xc:none \
  -fill '#fffde038' -draw "polygon 320,121 0,76 0,166" -draw "polygon 320,121 640,81 640,161" \
  -fill '#fff3c422' -draw "circle 320,121 320,1" \
  -fill '#fff3c444' -draw "circle 320,121 320,46" \
  -strip PNG32:demo/Areas/lamp-beams.png

# The cold lamp: soot on the glass, a dry burner and a black wick. 72 x 84,
# centred on the lens at 320, 205.
/usr/bin/convert -size 72x84 xc:none \
  -fill '#6f7c80' -draw "ellipse 36,42 34,40 0,360" \
  -fill '#59656a' -draw "ellipse 36,36 22,24 0,360" \
  -fill '#8a6a28' -draw "polygon 24,62 48,62 44,52 28,52" \
  -fill '#b8892f' -draw "rectangle 26,50 46,53" \
  -fill '#2a2a2a' -draw "rectangle 34,38 38,50" \
  -fill '#111111' -draw "rectangle 34,36 38,38" \
  -fill '#9fb0b5' -draw "ellipse 22,24 3,9 0,360" \
  -strip PNG32:demo/Areas/lamp-cold.png

# The oil can, with its shadow.
/usr/bin/convert -size 72x84 xc:none \
  -fill '#00000050' -draw "ellipse 30,81 24,3 0,360" \
  -fill '#c0392b' -draw "rectangle 10,36 48,80" -draw "polygon 14,36 44,36 34,24 24,24" \
  -fill '#8b1e14' -draw "rectangle 10,52 48,56" \
  -stroke '#8b1e14' -strokewidth 4 -draw "line 46,42 68,22" \
  -fill none -draw "path 'M 18,24 Q 29,6 40,24'" \
  -stroke none -fill '#e8705f' -draw "rectangle 14,40 16,76" \
  -strip PNG32:demo/Areas/oilcan.png

# The burning lamp: a flame that swells and shrinks with turning rays, 112 x
# 112, centred on the lens at 320, 205. The player shows an animated picture
# in an opaque box, so each frame starts from the lit lamp room behind it
# (the room with its beams), cut down to 240 colours to leave room in the
# palette for the flame's own. The white heart is the same in every frame.
glow=()
for step in 0 1 2 3 4 5; do
  r=$((30 + 4 * (step < 3 ? step : 6 - step)))
  rays=()
  for a in 0 45 90 135 180 225 270 315; do
    angle=$((a + step * 8))
    read -r x1 y1 x2 y2 < <(awk -v a="$angle" -v r="$r" 'BEGIN {
      t = a * 3.14159265 / 180
      printf "%d %d %d %d\n", 56 + (r + 4) * cos(t), 56 + (r + 4) * sin(t), 56 + (r + 14) * cos(t), 56 + (r + 14) * sin(t) }')
    rays+=(-draw "line $x1,$y1 $x2,$y2")
  done
  glow+=(\( mpr:lens +antialias
    -stroke '#ffe680' -strokewidth 3 "${rays[@]}" -stroke none
    -fill '#ffb830' -draw "ellipse 56,56 $r,$((r + r / 6)) 0,360"
    -fill '#ffd84a' -draw "ellipse 56,56 $((r * 3 / 4)),$((r * 3 / 4 + r / 8)) 0,360"
    -fill '#fff6c8' -draw "ellipse 56,56 16,20 0,360" \))
done
/usr/bin/convert \
  \( demo/Frames/lamproom.png demo/Areas/lamp-beams.png -geometry +0+84 -composite \
     -crop 112x112+264+149 +repage -dither None -colors 240 -write mpr:lens +delete \) \
  -delay 12 -dispose None -loop 0 "${glow[@]}" demo/Areas/glow.gif

# Mouse cursors, 32 x 32: a pointing hand (hot spot at the finger tip) and a
# magnifier (hot spot in the lens). ImageMagick writes an icon file; a cursor
# file is the same with type 2 at byte 2 and the hot spot x, y as 16-bit
# little-endian numbers at bytes 10 and 12 of the first entry.
make_cursor() {
  local file=$1 x=$2 y=$3
  shift 3
  /usr/bin/convert -size 32x32 xc:none "$@" -strip ICO:"$file"
  printf '\x02\x00' | dd of="$file" bs=1 seek=2 conv=notrunc status=none
  printf '%b' "\\x$(printf %02x "$x")\\x00\\x$(printf %02x "$y")\\x00" |
    dd of="$file" bs=1 seek=10 conv=notrunc status=none
}
hand=(-draw "roundrectangle 10,1 15,18 3,3" -draw "roundrectangle 14,10 19,19 2,2"
      -draw "roundrectangle 18,11 23,20 2,2" -draw "roundrectangle 22,13 26,21 2,2"
      -draw "roundrectangle 7,15 26,30 5,5" -draw "polygon 9,19 4,14 1,17 8,26")
make_cursor demo/Icons/hand.cur 12 1 \
  -stroke black -strokewidth 3 -fill black "${hand[@]}" \
  -stroke none -fill white "${hand[@]}"
make_cursor demo/Icons/look.cur 12 12 \
  -stroke black -strokewidth 7 -draw "line 19,19 29,29" \
  -stroke '#8b5a2b' -strokewidth 4 -draw "line 20,20 28,28" \
  -stroke black -strokewidth 5 -fill '#cfe3f0b0' -draw "circle 12,12 12,3" \
  -stroke white -strokewidth 2 -fill none -draw "circle 12,12 12,3" \
  -stroke none -fill white -draw "ellipse 9,9 2,3 0,360"
