#!/usr/bin/env bash
# The welcome window on a desktop scaled by its dots per inch: laid out in its
# own pixels and enlarged as a whole, its pictures where they are drawn, and a
# click on the drawn New game picture starts the game, shown whole.
source "$(dirname "$0")/desktop.sh"
player=$1 project=$2 dpi=$3
scale=$((dpi / 96))

desktop_start $((1920 * scale)) $((1080 * scale)) "$dpi"
player_start "$player" "$(copy_project "$project")"
welcome=$(wait_window 'Lighthouse')
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
wait_no_window_id() {
  for _ in $(seq 100); do
    xwininfo -id "$1" 2>/dev/null | grep -q 'IsViewable' || return 0
    sleep 0.1
  done
  fail "the welcome window stays shown after a click on New game"
}
wait_no_window_id "$welcome"
game=$(wait_window 'Lighthouse')
settle 1.5
read -r gx gy gwidth gheight < <(window_geometry "$game")
((gwidth == 1920 * scale && gheight == 1080 * scale)) ||
  fail "game window is ${gwidth}x${gheight} at $gx,$gy, expected the whole screen"
shot=$(screenshot game)
