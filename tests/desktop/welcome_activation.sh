#!/usr/bin/env bash
# The welcome window's activation (the large-fonts warning, then always on
# top) comes with the user moving between the program's own windows, not with
# one of its message boxes closing: OK on the warning ends it until the load
# dialog is left, and Yes on the e-mail question leaves the window an
# ordinary one, so that the mail program opens over it.
source "$(dirname "$0")/desktop.sh"
player=$1 project=$2 dpi=$3
scale=$((dpi / 96))

desktop_start $((1920 * scale)) $((1080 * scale)) "$dpi"

# Large fonts: the desktop's font configuration gives it one font only, a
# copy of Liberation Sans whose lines are three quarters taller, so that the
# standard text comes out taller than it was laid out for.
fonts=$desktop_scratch/fonts
mkdir -p "$fonts"
perl -e 'local $/; my $font = <STDIN>;
  for my $i (0 .. unpack("n", substr($font, 4, 2)) - 1) {
    my ($tag, undef, $at) = unpack "a4 N N", substr($font, 12 + 16 * $i, 12);
    substr($font, $at + 4, 4) = pack "n n", 3000, 65536 - 1000 if $tag eq "hhea";
    substr($font, $at + 74, 4) = pack "n n", 3000, 1000 if $tag eq "OS/2";
  }
  print $font;' </usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf >"$fonts/tall.ttf" ||
  fail "no font to make"
printf '<fontconfig><dir>%s</dir><cachedir>%s/cache</cachedir></fontconfig>\n' "$fonts" "$fonts" \
  >"$fonts/fonts.conf"
export FONTCONFIG_FILE=$fonts/fonts.conf

# The desktop's handler of links records what it is asked to open.
mkdir -p "$desktop_scratch/bin"
printf '#!/bin/sh\necho "$1" >>"%s/opened"\n' "$desktop_scratch" >"$desktop_scratch/bin/xdg-open"
chmod +x "$desktop_scratch/bin/xdg-open"
export PATH=$desktop_scratch/bin:$PATH

player_start "$player" "$(copy_project "$project")"
warning_box() { xdotool search --all --onlyvisible --pid "$player_pid" --name '^Warning!$'; }
# focused ID: waits until keys go to that window.
focused() {
  wait_for 5 sh -c "[ \"\$(xdotool getactivewindow)\" = $1 ]" || fail "window $1 never gets the keys"
}
answer_warning() {
  local box
  box=$(wait_window '^Warning!$') || exit 1
  focused "$box"
  press_keys Return
  wait_for 5 sh -c "! xwininfo -id $box 2>/dev/null | grep -q IsViewable" ||
    fail "OK does not close the large-fonts warning"
}
# no_warning_for SECONDS WHEN: fails when the warning comes back meanwhile.
no_warning_for() {
  ! wait_for "$1" warning_box >/dev/null ||
    fail "the large-fonts warning comes back $2"
}

answer_warning
no_warning_for 2 "after OK"
welcome=$(wait_window 'Lighthouse') || exit 1
wait_for 3 window_above "$welcome" || fail "the welcome window is not on top after the warning"
read -r x y width height < <(window_geometry "$welcome")

# Back from the load dialog (Escape cancels it) the window is activated again.
click_at $((x + 160 * scale)) $((y + 100 * scale))
dialog=$(wait_window '^Load a previously saved game$') || exit 1
focused "$dialog"
press_keys Escape
wait_for 5 warning_box >/dev/null || fail "no large-fonts warning back from the load dialog"
answer_warning
wait_for 3 window_above "$welcome" || fail "the welcome window is not on top back from the load dialog"

# question_box: the id of the e-mail question, the active window once asked.
question_box() {
  local id
  id=$(xdotool getactivewindow 2>/dev/null) && [[ $id != "$welcome" ]] &&
    xdotool getwindowname "$id" | grep -q Lighthouse && echo "$id"
}
ask_email() {
  click_at $((x + 150 * scale)) $((y + 242 * scale))
  box=$(wait_for 5 question_box) || fail "no e-mail question"
}

ask_email
press_keys Escape
wait_for 3 window_above "$welcome" || fail "the welcome window is not on top again after No"
no_warning_for 1 "after the e-mail question"

ask_email
window_above "$welcome" && fail "the welcome window stays on top while the e-mail question is open"
press_keys Return
opened=$(wait_for 5 cat "$desktop_scratch/opened") || fail "no mail program opened after Yes"
[[ $opened == "mailto:maren.holt@example.org" ]] || fail "opened '$opened' after Yes"
! wait_for 3 window_above "$welcome" || fail "the welcome window goes back on top after Yes"
no_warning_for 1 "after Yes"
