#!/usr/bin/env bash
# Runs one walkthrough through the real player, headless, with settings of its
# own. Usage:
#   run_walkthrough.sh [--settings INI] [--expect-status N] [--expect-trace FILE]
#                      [--window] [--in-folder utf8|not-utf8|backslash]
#                      [--copy] [--no-saves] [--expect-file PATH EXPECTED|none]...
#                      PLAYER PROJECT WALKTHROUGH
# --window plays in real windows on the display (run it under xvfb-run).
# --in-folder plays a copy of the project in a folder named with UTF-8 letters,
# with a byte that is not UTF-8, or with a "\", and checks that the trace shows
# the folder's name (a byte that is not UTF-8 as U+FFFD).
# With TF_UPDATE_TRACES=1 in the environment, --expect-trace FILE is rewritten
# from the run (check the change with git diff).
# --copy plays a copy of the project, so that what the game writes stays out
# of the source tree; its saved games all get the same time.
# --no-saves plays a copy without the project's saved games: those a player
# left in the folder are not the walkthrough's.
# --expect-file checks after the run that PATH (relative to the project
# played) has the bytes of EXPECTED, or does not exist.
# "@PROJECT@" in the walkthrough stands for the project folder played.
set -uo pipefail

settings="" want_status=0 want_trace="" mode=--headless in_folder="" copy="" saves=1
want_files=()
while [[ $# -gt 3 ]]; do
  case $1 in
    --window) mode=""; shift ;;
    --settings) settings=$2; shift 2 ;;
    --expect-status) want_status=$2; shift 2 ;;
    --expect-trace) want_trace=$2; shift 2 ;;
    --in-folder) in_folder=$2; shift 2 ;;
    --copy) copy=1; shift ;;
    --no-saves) copy=1 saves=""; shift ;;
    --expect-file) want_files+=("$2" "$3"); shift 3 ;;
    *) echo "run_walkthrough: unknown option $1" >&2; exit 2 ;;
  esac
done
player=$1 project=$2 walkthrough=$3

scratch=$(mktemp -d "${TMPDIR:-/tmp}/walkthrough.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/config/taleforge" "$scratch/runtime"
chmod 700 "$scratch/runtime"
[[ -n $settings ]] && cp "$settings" "$scratch/config/taleforge/Games.ini"

case $in_folder in
  "") ;;
  utf8) folder=$'Sp\xc3\xa4tlese \xd0\x98\xd0\xb3\xd1\x80\xd0\xb0' shown=$folder ;;
  not-utf8) folder=$'Caf\xe9' shown=$'Caf\xef\xbf\xbd' ;;
  backslash) folder='back\slash' shown='back\slash' ;;
  *) echo "run_walkthrough: unknown folder kind $in_folder" >&2; exit 2 ;;
esac
if [[ -n $in_folder ]]; then
  cp -r "$project" "$scratch/$folder"
  project="$scratch/$folder"
elif [[ -n $copy ]]; then
  cp -r "$project" "$scratch/project"
  project="$scratch/project"
  if [[ -n $saves ]]; then
    find "$project" -maxdepth 1 -iname '*.sav' -exec touch -d '2020-01-01 12:00:00' {} +
  else
    find "$project" -maxdepth 1 -iname '*.sav' -delete
  fi
fi
if grep -q '@PROJECT@' "$walkthrough"; then
  sed "s|@PROJECT@|$project|g" "$walkthrough" >"$scratch/script.walk"
  walkthrough="$scratch/script.walk"
fi

XDG_CONFIG_HOME="$scratch/config" XDG_RUNTIME_DIR="$scratch/runtime" \
  "$player" "$project" $mode --walkthrough "$walkthrough" --trace "$scratch/trace"
status=$?

if [[ $status -ne $want_status ]]; then
  echo "run_walkthrough: exit status $status, expected $want_status; the trace:" >&2
  cat "$scratch/trace" >&2
  exit 1
fi
if [[ -n $in_folder ]] && ! grep -qF "\"$scratch/$shown/Areas/" "$scratch/trace"; then
  echo "run_walkthrough: the trace does not show the folder as $scratch/$shown:" >&2
  cat "$scratch/trace" >&2
  exit 1
fi
# Paths in an expected trace start with PROJECT/ for the project's folder.
# TF_UPDATE_TRACES=1 rewrites the expected trace from this run instead.
if [[ -n $want_trace && ${TF_UPDATE_TRACES:-} == 1 ]]; then
  sed "s|$project/|PROJECT/|g" "$scratch/trace" >"$want_trace"
fi
if [[ -n $want_trace ]] &&
  ! diff -u "$want_trace" <(sed "s|$project/|PROJECT/|g" "$scratch/trace"); then
  echo "run_walkthrough: the trace differs from $want_trace" >&2
  exit 1
fi
for ((i = 0; i < ${#want_files[@]}; i += 2)); do
  file="$project/${want_files[i]}" expected=${want_files[i + 1]}
  if [[ $expected == none ]]; then
    if [[ -e $file ]]; then
      echo "run_walkthrough: $file exists, expected none" >&2
      exit 1
    fi
  elif ! cmp "$expected" "$file"; then
    echo "run_walkthrough: $file differs from $expected" >&2
    exit 1
  fi
done
exit 0
