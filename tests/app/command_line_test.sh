#!/usr/bin/env bash
# Runs the real player with each kind of command line. Usage:
#   command_line_test.sh PLAYER WALKTHROUGHS_FOLDER
set -uo pipefail

player=$(realpath "$1") walkthroughs=$(realpath "$2")
scratch=$(mktemp -d "${TMPDIR:-/tmp}/command_line.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
export XDG_CONFIG_HOME="$scratch/config" XDG_RUNTIME_DIR="$scratch/runtime"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
failures=0

# expect STATUS PATTERN COMMAND...: the command ends with STATUS and its
# output (standard output and error together) matches the grep PATTERN.
expect() {
  local want=$1 pattern=$2
  shift 2
  local output status
  output=$("$@" 2>&1)
  status=$?
  if [[ $status -ne $want ]] || ! grep -qE -- "$pattern" <<<"$output"; then
    echo "FAILED: $* (status $status, expected $want and /$pattern/):" >&2
    echo "$output" >&2
    failures=$((failures + 1))
  fi
}

expect 0 '^Usage: taleforge-player \[PROJECT_DIR\]' "$player" --help
expect 0 '^taleforge-player [0-9]+\.[0-9]+\.[0-9]+$' "$player" --version
expect 2 'unknown option --fast' "$player" --fast
expect 2 'no project folder .*/missing' "$player" "$scratch/missing" --headless
expect 2 'only one project folder' "$player" a b
expect 2 '--walkthrough needs a value' "$player" --walkthrough
expect 2 '--trace needs --walkthrough' "$player" --trace -

# A folder named relative to the working folder.
game="$scratch/games/Picture Game"
mkdir -p "$scratch/games" && cp -r "$walkthroughs/projects/picture" "$game"
expect 0 'frame "Start"' \
  env -C "$scratch/games" "$player" "Picture Game" --headless \
  --walkthrough "$walkthroughs/picture_background.walk" --trace -

# No folder named: the folder of the program as started, a symlink inside the
# game's folder not followed, whether started by its path or through PATH.
ln -s "$player" "$game/play-it"
expect 0 'frame "Start"' \
  "$game/play-it" --headless --walkthrough "$walkthroughs/picture_background.walk" --trace -
expect 0 'frame "Start"' \
  env PATH="$game:$PATH" play-it --headless \
  --walkthrough "$walkthroughs/picture_background.walk" --trace -

exit $((failures > 0))
