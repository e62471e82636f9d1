#!/usr/bin/env bash
# The welcome window on a desktop scaled by its dots per inch: laid out in its
# own pixels and enlarged as a whole, its pictures where they are drawn, and a
# click on the drawn New game picture starts the game, shown whole, where
# clicks land on what the game draws.
source "$(dirname "$0")/desktop.sh"
source "$(dirname "$0")/demo_shore.sh"
player=$1 project=$2 dpi=$3
scale=$((dpi / 96))

desktop_start $((1920 * scale)) $((1080 * scale)) "$dpi"
player_start "$player" "$(copy_project "$project")"
welcome=$(wait_window 'Lighthouse') || exit 1
settle 1
read -r x y width height < <(window_geometry "$welcome")
# 320 pixels wide; its height follows the project information shown.
((width == 320 * scale && height % scale == 0 && height / scale > 250 && height / scale < 320)) ||
  fail "welcome window is ${width}x${height}, expected $((320 * scale)) wide"

shot=$(screenshot welcome)
# The three buttons, the information sign and the tiled background, each at
# its place in the window's own pixels times the scale.
background=$(pixel "$shot" $((x + 4 * scale)) $((y + 200 * scale)))
for at in "60 100" "160 100" "260 100" "301 19"; do
  read -r px py <<<"$at"
  colour=$(pixel "$shot" $((x + px * scale)) $((y + py * scale)))
  [[ $colour != "$background" ]] || fail "no picture at $px,$py (only background $background)"
done

click_at $((x + 60 * scale)) $((y + 100 * scale))
wait_window_gone "$welcome"
game=$(wait_window 'Lighthouse') || exit 1
settle 1.5
read -r gx gy gwidth gheight < <(window_geometry "$game")
((gwidth == 1920 * scale && gheight == 1080 * scale)) ||
  fail "game window is ${gwidth}x${gheight} at $gx,$gy, expected the whole screen"

# The 640 x 480 game screen fills the screen's height, 2.25 times its own
# size in the desktop's pixels, with black bars beside it.
left=$((240 * scale)) times=$((9 * scale))
shot=$(wait_shore "$left" 0 "$times" 4 shore) || exit 1
for x in $((100 * scale)) $((1820 * scale)); do
  colour=$(pixel "$shot" "$x" $((540 * scale)))
  [[ $colour == "#000000" ]] || fail "no black bar at $x: $colour"
done

# The left arrow covers game pixels 18 to 93 across and 414 to 461 down: a
# click just beside it does nothing, one just inside it opens the boardwalk.
read -r ax ay < <(shore_at "$left" 0 "$times" 4 56 438)
near "$(pixel "$shot" "$ax" "$ay")" "#FFF3C4" 12 || fail "no arrow drawn at $ax,$ay"
click_at $(shore_at "$left" 0 "$times" 4 14 410)
settle 1
shore_shown "$(screenshot beside-arrow)" "$left" 0 "$times" 4 || fail "a click beside the arrow left the shore"
click_at $(shore_at "$left" 0 "$times" 4 20 416)
sky=$(pixel "$shore_picture" 10 10)
read -r sx sy < <(shore_at "$left" 0 "$times" 4 10 10)
left_shore() { ! near "$(pixel "$(screenshot boardwalk)" "$sx" "$sy")" "$sky" 12; }
wait_until 5 left_shore || fail "a click on the arrow did not open the boardwalk"
