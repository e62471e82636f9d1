#!/usr/bin/env bash
# The welcome window on a desktop whose panels leave a work area that starts
# away from 0, 0: it is centred in that area; dragged by its body or its
# title it follows the pointer only while the left button is held; and its
# information panel lies above the three pictures.
source "$(dirname "$0")/desktop.sh"
player=$1 project=$2 dpi=$3
scale=$((dpi / 96))

desktop_start $((1920 * scale)) $((1080 * scale)) "$dpi"
# A panel window that reserves 200 pixels at the left and 100 at the top.
xev -name panel -geometry 1x1+0+0 >/dev/null 2>&1 &
desktop_pids+=($!)
panel=$(wait_for 10 xdotool search --name '^panel$') || fail "no panel window"
xprop -id "$panel" -f _NET_WM_STRUT_PARTIAL 32c -set _NET_WM_STRUT_PARTIAL \
  "$((200 * scale)),0,$((100 * scale)),0,0,$((1080 * scale - 1)),0,0,0,$((1920 * scale - 1)),0,0"
wait_for 10 sh -c "xprop -root _NET_WORKAREA | grep -q '= $((200 * scale)), $((100 * scale)),'" >/dev/null ||
  fail "openbox keeps no room for the panel: $(xprop -root _NET_WORKAREA)"

player_start "$player" "$(copy_project "$project")"
welcome=$(wait_window 'Lighthouse') || exit 1
settle 1
read -r x y width height < <(window_geometry "$welcome")
centre_x=$((200 * scale + (1720 * scale - width) / 2))
centre_y=$((100 * scale + (980 * scale - height) / 2))
((x - centre_x <= scale && centre_x - x <= scale && y - centre_y <= scale && centre_y - y <= scale)) ||
  fail "welcome window at $x,$y, not centred in the work area (at $centre_x,$centre_y)"

# moved_by DX DY: the window lies DX, DY screen pixels from where it was
# last seen, give or take a third of that (a drag starts a step late), which
# becomes its new place.
moved_by() {
  local now_x now_y rest
  read -r now_x now_y rest < <(window_geometry "$welcome")
  local off_x=$((now_x - x - $1)) off_y=$((now_y - y - $2))
  x=$now_x y=$now_y
  ((9 * (off_x * off_x + off_y * off_y) <= $1 * $1 + $2 * $2 + 36 * scale * scale))
}

# Dragged by its body (between the pictures and the first line).
drag_from_to $((x + 160 * scale)) $((y + 175 * scale)) $((x + 160 * scale + 100)) $((y + 175 * scale + 80))
settle 0.5
moved_by 100 80 || fail "a drag by the window's body moved it to $x,$y"
pointer_to $((x + 40 * scale)) $((y + 240 * scale))
pointer_to 300 300
settle 0.5
moved_by 0 0 || fail "after a drag the window follows the pointer with no button held (to $x,$y)"
drag_from_to 400 350 700 550 3
settle 0.5
moved_by 0 0 || fail "a right-button drag after a drag moved the window (to $x,$y)"
# Dragged by the game's title.
drag_from_to $((x + 160 * scale)) $((y + 40 * scale)) $((x + 160 * scale - 150)) $((y + 40 * scale + 60))
settle 0.5
moved_by -150 60 || fail "a drag by the title moved the window to $x,$y"
pointer_to 700 200
settle 0.5
moved_by 0 0 || fail "after a drag by the title the window follows the pointer (to $x,$y)"

# The information sign opens the panel over the whole window: hardly a
# pixel stays as it was, none of the pictures' or the window's own controls.
# window_shot NAME: a screenshot of the welcome window alone; prints its path.
window_shot() {
  local shot
  shot=$(screenshot "$1")
  /usr/bin/convert "$shot" -crop "${width}x${height}+$x+$y" +repage "$shot" || fail "no crop"
  echo "$shot"
}
before=$(window_shot welcome)
click_at $((x + 301 * scale)) $((y + 19 * scale))
settle 0.5
after=$(window_shot panel)
changed=$(/usr/bin/compare -metric AE "$before" "$after" null: 2>&1)
[[ $changed =~ ^[0-9]+$ ]] || fail "no comparison: $changed"
kept=$((width * height - changed))
((kept * 100 < width * height)) ||
  fail "$kept pixels of the window show through its information panel (its pictures lie above it)"
