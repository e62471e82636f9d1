#!/usr/bin/env bash
# A walkthrough script with an error ends the player with status 2 and a
# message naming what is wrong. Usage: script_errors_test.sh PLAYER PROJECT
set -uo pipefail

player=$1 project=$2
scratch=$(mktemp -d "${TMPDIR:-/tmp}/script_errors.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
export XDG_CONFIG_HOME="$scratch/config" XDG_RUNTIME_DIR="$scratch/runtime"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
failures=0

# expect_error SCRIPT PATTERN: the script ends the run with status 2 and a
# message on standard error matching the grep PATTERN.
expect_error() {
  printf '%s\n' "$1" >"$scratch/script.walk"
  local output status
  output=$("$player" "$project" --headless --walkthrough "$scratch/script.walk" 2>&1 >/dev/null)
  status=$?
  if [[ $status -ne 2 ]] || ! grep -qE -- "$2" <<<"$output"; then
    echo "FAILED: script '$1' (status $status, expected 2 and /$2/):" >&2
    echo "$output" >&2
    failures=$((failures + 1))
  fi
}

expect_error $'# comment\n\nexpect frame "Start' 'line 3: unclosed quote'
expect_error 'jump over the moon' "unknown command 'jump'"
expect_error 'wait soon' "'soon' is not a number of seconds"
expect_error 'expect frame' 'usage: expect frame'
expect_error $'new\nclick area 1 sideways' "unknown button 'sideways'"
expect_error $'new\nclick area 0' 'is not a whole number of at least 1'
expect_error 'expect window attic visible' "unknown window 'attic'"
expect_error $'new\nclick object 1' 'the inventory has no object 1'
expect_error $'new\ndrag object 1 onto area 1' 'usage: drag object N to area M'

exit $((failures > 0))
