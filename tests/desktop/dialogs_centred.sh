#!/usr/bin/env bash
# On a 640 x 480 virtual screen scaled to fill the monitor, the save dialog
# and a message box open in the middle of the monitor, where the game shows
# the middle of its screen.
source "$(dirname "$0")/desktop.sh"
source "$(dirname "$0")/game_menu.bash"
player=$1 project=$2 dpi=$3
scale=$((dpi / 96))

desktop_start $((1280 * scale)) $((1024 * scale)) "$dpi"
player_start "$player" "$(copy_project "$project")"
start_game "$scale"

# expect_centred ID WHAT: the window's middle within 32 pixels of the
# monitor's, beyond what a title bar shifts it by.
expect_centred() {
  local x y width height dx dy
  read -r x y width height < <(window_geometry "$1")
  dx=$((x + width / 2 - 640 * scale))
  dy=$((y + height / 2 - 512 * scale))
  echo "$2 at $x,$y ${width}x$height: off centre by $dx,$dy"
  ((dx * dx + dy * dy <= 32 * 32 * scale * scale)) ||
    fail "$2 at $x,$y ${width}x$height, its middle $dx,$dy from the monitor's"
}

press_keys Escape
open_save_dialog "$scale"
expect_centred "$dialog" "the save dialog"
press_keys Escape
wait_no_window 'Save the current game' 5

# The exit question carries the game's title, as the game window does.
menu_click "$scale" Exit
for _ in $(seq 50); do
  question=$(xdotool search --all --onlyvisible --pid "$player_pid" --name 'Lighthouse' | grep -vx "$game" | head -1)
  [[ -n $question ]] && break
  sleep 0.1
done
[[ -n $question ]] || fail "no exit question"
wait_active "$question" 5
expect_centred "$question" "the exit question"
press_keys Escape
