#!/usr/bin/env bash
# A game played without the 640 x 480 switch: fullscreen, its game screen
# fills the monitor as the virtual screen does; in a window (F11), the window
# is the largest whole multiple of the game's size that fits the monitor.
source "$(dirname "$0")/desktop.sh"
source "$(dirname "$0")/demo_shore.sh"
player=$1 project=$2 dpi=$3
scale=$((dpi / 96))

desktop_start $((1920 * scale)) $((1080 * scale)) "$dpi"
mkdir -p "$(dirname "$(settings_file)")"
printf '[TaleforgeDemoLighthouse]\nChangeResolution=0\n' >"$(settings_file)"
player_start "$player" "$(copy_project "$project")"
welcome=$(wait_window 'Lighthouse') || exit 1
settle 1
read -r x y _ _ < <(window_geometry "$welcome")
click_at $((x + 60 * scale)) $((y + 100 * scale))
wait_window_gone "$welcome"
game=$(wait_window 'Lighthouse') || exit 1

# 2.25 times the game's size fills the 1080 pixels of the screen's height.
wait_shore $((240 * scale)) 0 $((9 * scale)) 4 fullscreen >/dev/null || exit 1

# Twice the game's size, 1280 x 960 desktop pixels, is the most that fits.
press_keys F11
windowed() {
  read -r wx wy wwidth wheight < <(window_geometry "$game")
  ((wwidth == 1280 * scale && wheight == 960 * scale))
}
wait_until 5 windowed || fail "the game window is ${wwidth}x${wheight}, expected $((1280 * scale))x$((960 * scale))"
wait_shore "$wx" "$wy" $((2 * scale)) 1 windowed >/dev/null || exit 1
