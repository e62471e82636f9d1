#!/usr/bin/env bash
# The save dialog's keys, typed for real: Enter presses the command button
# that has the focus, and the default button (SAVE) only from a control that
# is not a button. Saved games go into the project folder played.
source "$(dirname "$0")/desktop.sh"
source "$(dirname "$0")/game_menu.bash"
player=$1 project=$2 dpi=$3
scale=$((dpi / 96))

desktop_start $((1280 * scale)) $((1024 * scale)) "$dpi"
copy=$(copy_project "$project")
player_start "$player" "$copy"
start_game "$scale"
press_keys Escape
open_save_dialog "$scale"

# The focus starts in the name's box; Shift+Tab goes back to Remove
# Selected, which asks for a selection in an empty list.
type_text "keys"
press_keys shift+Tab
press_keys Return
remove=$(wait_window 'Remove saved game' 5) ||
  fail "Enter on Remove Selected did not press it; saved: $(cd "$copy" && echo *.sav)"
[[ ! -e $copy/keys.sav ]] || fail "Enter on Remove Selected saved the game"
wait_active "$remove" 5
press_keys Return
wait_no_window 'Remove saved game' 5
wait_active "$dialog" 5
# The box closed gives the focus back to Remove Selected (a message box
# closing is no activation of the dialog); one step back lies Cancel: Enter
# closes the dialog without saving.
press_keys shift+Tab
press_keys Return
wait_no_window 'Save the current game' 5
[[ ! -e $copy/keys.sav ]] || fail "Enter on Cancel saved the game"

# Enter in the name's box saves. The menu has stayed open.
open_save_dialog "$scale"
type_text "keys"
press_keys Return
for _ in $(seq 50); do
  [[ -e $copy/keys.sav ]] && break
  sleep 0.1
done
[[ -e $copy/keys.sav ]] || fail "Enter in the name's box wrote no saved game"
wait_no_window 'Save the current game' 5
