# Shared by the desktop tests: a virtual X screen with a real window manager
# (openbox), the real program in it, and real input through xdotool.
# Source it, then call desktop_start WIDTH HEIGHT DPI. Everything started here
# is stopped by process id when the test's shell exits, pass or fail.
#
# A test script is called as: SCRIPT PLAYER PROJECT DPI
# TF_DESKTOP_SHOTS=DIR keeps the screenshots a test takes (and the screen at a
# failure) in DIR instead of throwing them away.

set -uo pipefail

desktop_scratch=$(mktemp -d "${TMPDIR:-/tmp}/desktop.XXXXXX")
desktop_pids=()
desktop_dpi=96
desktop_test=$(basename "$0" .sh)

desktop_stop() {
  local pid
  for ((i = ${#desktop_pids[@]} - 1; i >= 0; i--)); do
    pid=${desktop_pids[i]}
    kill "$pid" 2>/dev/null
  done
  for pid in "${desktop_pids[@]}"; do
    # Give each a moment to go, then make sure it has.
    for _ in 1 2 3 4 5 6 7 8 9 10; do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  desktop_pids=()
  rm -rf "$desktop_scratch"
}
trap desktop_stop EXIT

# fail MESSAGE: keeps the screen for a look, says why, and ends the test.
fail() {
  local shots=${TF_DESKTOP_SHOTS:-}
  if [[ -n $shots && -n ${DISPLAY:-} ]]; then
    mkdir -p "$shots"
    import -window root "$shots/$desktop_test-$desktop_dpi-failure.png" 2>/dev/null
    cp "$desktop_scratch/player.log" "$shots/$desktop_test-$desktop_dpi-player.log" 2>/dev/null
  fi
  echo "$desktop_test (${desktop_dpi} dpi): $*" >&2
  exit 1
}

# desktop_start WIDTH HEIGHT DPI: a screen of that size whose desktop is set
# to DPI dots per inch (Xft.dpi, which Qt reads on X11), with openbox running.
desktop_start() {
  local width=$1 height=$2
  desktop_dpi=$3
  local fifo=$desktop_scratch/displayfd
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 "${width}x${height}x24" -nolisten tcp -noreset -dpi "$desktop_dpi" \
    3>"$fifo" 2>"$desktop_scratch/xvfb.log" &
  desktop_pids+=($!)
  local number
  read -r -t 20 number <"$fifo" || fail "Xvfb did not start: $(cat "$desktop_scratch/xvfb.log")"
  export DISPLAY=:$number
  echo "Xft.dpi: $desktop_dpi" | xrdb -nocpp -merge - || fail "xrdb failed"

  openbox --sm-disable >"$desktop_scratch/openbox.log" 2>&1 &
  desktop_pids+=($!)
  # openbox is managing the screen once it names itself on the root window.
  for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
    sleep 0.1
  done
  fail "openbox did not start: $(cat "$desktop_scratch/openbox.log")"
}

# player_start PLAYER PROJECT [ARGS...]: the real program on the screen, with
# settings and runtime folders of its own. Sets player_pid.
player_start() {
  local player=$1
  shift
  mkdir -p "$desktop_scratch/config/taleforge" "$desktop_scratch/runtime"
  chmod 700 "$desktop_scratch/runtime"
  env -u QT_QPA_PLATFORM -u QT_SCALE_FACTOR -u QT_FONT_DPI -u QT_SCREEN_SCALE_FACTORS \
    XDG_CONFIG_HOME="$desktop_scratch/config" XDG_RUNTIME_DIR="$desktop_scratch/runtime" \
    SDL_AUDIODRIVER=dummy "$player" "$@" >"$desktop_scratch/player.log" 2>&1 &
  player_pid=$!
  desktop_pids+=("$player_pid")
}

player_running() { kill -0 "$player_pid" 2>/dev/null; }

# settings_file: the per-user settings file the player reads and writes.
settings_file() { echo "$desktop_scratch/config/taleforge/Games.ini"; }

# copy_project PROJECT: a copy the test may let the game write into; prints its path.
copy_project() {
  cp -r "$1" "$desktop_scratch/project"
  echo "$desktop_scratch/project"
}

# wait_window NAME [SECONDS]: the id of the player's visible window titled
# NAME (a regular expression), once it is mapped.
wait_window() {
  local name=$1 seconds=${2:-15} id
  for _ in $(seq $((seconds * 10))); do
    id=$(xdotool search --all --onlyvisible --pid "$player_pid" --name "$name" 2>/dev/null | head -1)
    [[ -n $id ]] && { echo "$id"; return 0; }
    player_running || fail "the player ended while waiting for window '$name': $(cat "$desktop_scratch/player.log")"
    sleep 0.1
  done
  fail "no window '$name' after $seconds s"
}

# wait_no_window NAME [SECONDS]: until no visible window of the player is titled NAME.
wait_no_window() {
  local name=$1 seconds=${2:-15}
  for _ in $(seq $((seconds * 10))); do
    xdotool search --all --onlyvisible --pid "$player_pid" --name "$name" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  fail "window '$name' still shown after $seconds s"
}

# window_geometry ID: prints "X Y WIDTH HEIGHT" of the window's inside, in
# screen pixels.
window_geometry() {
  local X Y WIDTH HEIGHT
  eval "$(xwininfo -id "$1" | awk '
    /Absolute upper-left X/ { print "X=" $NF }
    /Absolute upper-left Y/ { print "Y=" $NF }
    /^ *Width:/ { print "WIDTH=" $NF }
    /^ *Height:/ { print "HEIGHT=" $NF }')"
  echo "$X $Y $WIDTH $HEIGHT"
}

# Real input, as the X server delivers it to whatever window lies there.
pointer_to() {
  # --sync waits until the pointer has moved: for 15 s when it is there already.
  local X Y SCREEN WINDOW
  eval "$(xdotool getmouselocation --shell)"
  [[ $X == "$1" && $Y == "$2" ]] || xdotool mousemove --sync "$1" "$2"
}
click_at() { # X Y [BUTTON]
  pointer_to "$1" "$2"
  xdotool click "${3:-1}"
}
press_keys() { xdotool key --clearmodifiers "$@"; }
type_text() { xdotool type --delay 20 "$1"; }
# drag_from_to X1 Y1 X2 Y2 [BUTTON]: press, move in steps, release.
drag_from_to() {
  local x1=$1 y1=$2 x2=$3 y2=$4 button=${5:-1} i
  xdotool mousemove --sync "$x1" "$y1" mousedown "$button"
  for i in 1 2 3 4 5 6 7 8 9 10; do
    xdotool mousemove --sync $((x1 + (x2 - x1) * i / 10)) $((y1 + (y2 - y1) * i / 10))
    sleep 0.03
  done
  xdotool mouseup "$button"
}

# screenshot NAME: the whole screen as PNG; prints its path (kept in
# TF_DESKTOP_SHOTS when set).
screenshot() {
  local dir=${TF_DESKTOP_SHOTS:-$desktop_scratch}
  mkdir -p "$dir"
  local file="$dir/$desktop_test-$desktop_dpi-$1.png"
  import -window root "$file" || fail "no screenshot"
  echo "$file"
}

# pixel FILE X Y: the colour of a screenshot's pixel as #RRGGBB.
pixel() {
  /usr/bin/convert "$1" -crop "1x1+$2+$3" -depth 8 txt:- |
    sed -n 's/.*\(#[0-9A-Fa-f]\{6\}\).*/\1/p' | head -1
}

# settle: lets the program and the window manager handle what is pending.
settle() { sleep "${1:-0.5}"; }

# wait_active ID [SECONDS]: until the window manager has given that window
# the focus, so that keys typed next go to it.
wait_active() {
  local id=$1 seconds=${2:-15}
  for _ in $(seq $((seconds * 10))); do
    [[ $(xdotool getactivewindow 2>/dev/null) == "$id" ]] && return 0
    sleep 0.1
  done
  fail "window $id is not active after $seconds s"
}

# wait_for SECONDS COMMAND...: runs the command every tenth of a second until
# it succeeds (printing what it printed then); fails after SECONDS.
wait_for() {
  local seconds=$1 output
  shift
  for _ in $(seq $((seconds * 10))); do
    output=$("$@" 2>/dev/null) && { [[ -z $output ]] || echo "$output"; return 0; }
    sleep 0.1
  done
  return 1
}

# wait_until SECONDS COMMAND...: the same, run in this shell (so that what it
# sets stays set), for a command that only answers yes or no.
wait_until() {
  local seconds=$1 i
  shift
  for ((i = 0; i < seconds * 4; i++)); do
    "$@" && return 0
    sleep 0.25
  done
  return 1
}

# window_above ID: whether the window manager keeps the window above others.
window_above() { xprop -id "$1" _NET_WM_STATE 2>/dev/null | grep -q _NET_WM_STATE_ABOVE; }

# near COLOUR OTHER TOLERANCE: whether two #RRGGBB colours differ by at most
# TOLERANCE in each of red, green and blue.
near() {
  local i difference
  [[ $1 == \#?????? && $2 == \#?????? ]] || return 1
  for i in 1 3 5; do
    difference=$((16#${1:i:2} - 16#${2:i:2}))
    ((difference <= $3 && difference >= -$3)) || return 1
  done
}

# wait_window_gone ID [SECONDS]: until the window of that id is no longer shown.
wait_window_gone() {
  local seconds=${2:-10}
  for _ in $(seq $((seconds * 10))); do
    xwininfo -id "$1" 2>/dev/null | grep -q 'IsViewable' || return 0
    sleep 0.1
  done
  fail "window $1 still shown after $seconds s"
}
