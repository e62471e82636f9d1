# Shared by the tests of the in-game menu and its dialogs, sourced after
# desktop.sh: the demo's game started from its welcome window, and the menu
# strip's entries, which sit at the top of the game window in the desktop's
# own units whatever the game screen's scaling.

# start_game SCALE: clicks New game on the welcome window; sets game to the
# id of the game window once it has the focus.
start_game() {
  local scale=$1 welcome x y width height
  welcome=$(wait_window 'Lighthouse') || exit 1
  wait_active "$welcome"
  read -r x y width height < <(window_geometry "$welcome")
  click_at $((x + 60 * scale)) $((y + 100 * scale))
  # A new game loads its media first: on a busy machine that takes a while.
  for _ in $(seq 300); do
    xwininfo -id "$welcome" 2>/dev/null | grep -q 'IsViewable' || break
    sleep 0.1
  done
  game=$(wait_window 'Lighthouse' 30) || exit 1
  [[ $game != "$welcome" ]] || fail "the welcome window stays shown after a click on New game"
  wait_active "$game"
}

# menu_click SCALE Exit|Save: clicks that entry of the open menu.
menu_click() {
  local scale=$1 gx gy width height
  read -r gx gy width height < <(window_geometry "$game")
  case $2 in
    Exit) click_at $((gx + 25 * scale)) $((gy + 11 * scale)) ;;
    Save) click_at $((gx + 95 * scale)) $((gy + 11 * scale)) ;;
  esac
}

# open_save_dialog SCALE: "Save game" from the open menu; sets dialog to the
# id of the save dialog once it has the focus.
open_save_dialog() {
  menu_click "$1" Save
  dialog=$(wait_window 'Save the current game') || exit 1
  wait_active "$dialog" 5
}
