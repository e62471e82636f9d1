#!/usr/bin/env bash
# Plays a random walk of ACTIONS user actions (default 10000) through copies
# of the demo and of every fixture game, under the address and
# undefined-behaviour sanitizers (build-asan/, built here when missing):
# clicks anywhere, drags, keys, menu choices, saves and loads, random answers
# to message boxes. The demo gets the first half of the walk, the fixture
# games share the rest; a game that quits is started again, or the next one
# takes over. Prints the peak resident memory of each thousand actions and
# exits 0 when nothing crashed, hung or leaked and memory stayed flat after
# the first thousand. Usage: scripts/soak.sh [ACTIONS] [SEED]
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

actions=${1:-10000} seed=${2:-1}
build=build-asan
# A run (one start of the player) takes at most this many actions, and
# counts as hung when it takes longer than 30 s and this much per action
# (they take about 0.1 s).
max_run=2000 seconds_per_action=0.3

if [[ ! -f $build/build.ninja ]]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTALEFORGE_SANITIZE=ON ||
    exit 1
fi
cmake --build "$build" --target taleforge-player >/dev/null || exit 1

export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
# A small quarantine of freed memory, so that what stays resident after the
# first thousand actions is the program's own (the default keeps 256 MB).
export ASAN_OPTIONS=detect_leaks=1:quarantine_size_mb=16
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp

scratch=$(mktemp -d "${TMPDIR:-/tmp}/taleforge-soak.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
mkdir -m 700 "$scratch/config" "$scratch/runtime"
export XDG_CONFIG_HOME=$scratch/config XDG_RUNTIME_DIR=$scratch/runtime

# Saved games and settings land in the copies, never in the source tree.
projects=(demo tests/walkthroughs/projects/*)
for project in "${projects[@]}"; do
  cp -r "$project" "$scratch/$(basename "$project")"
done
fixtures=$((${#projects[@]} - 1))

declare -A peak=()
demo_share=$((actions / 2))
fixture_share=$(((actions - demo_share + fixtures - 1) / fixtures))
done_actions=0 runs=0 restarts=0 fixture=0
while ((done_actions < actions)); do
  left=$((actions - done_actions))
  if ((done_actions < demo_share)); then
    name=demo count=$((demo_share - done_actions))
    ((count <= max_run)) || count=$max_run
  else
    name=$(basename "${projects[1 + fixture % fixtures]}")
    count=$((left < fixture_share ? left : fixture_share))
    ((count <= max_run)) || count=$max_run
    ((++fixture))
  fi
  ((++runs))
  walk=$scratch/run$runs.walk log=$scratch/run$runs.log
  {
    echo "soak seed $((seed * 7919 + runs)) $done_actions"
    for ((i = 0; i < count; ++i)); do echo "soak action"; done
    echo "soak end"
  } >"$walk"
  limit=$(awk -v n="$count" -v s="$seconds_per_action" 'BEGIN { print int(30 + n * s) }')
  timeout -k 10 "$limit" "$build/taleforge-player" "$scratch/$name" --headless \
    --walkthrough "$walk" >"$log" 2>&1
  status=$?
  if ((status != 0)); then
    case $status in
      124 | 137) what="hung (no end after $limit s)" ;;
      23) what="leaked" ;;
      *) what="failed with exit status $status" ;;
    esac
    echo "soak: run $runs ($name, actions $done_actions on, seed $seed) $what:" >&2
    tail -n 60 "$log" >&2
    # Kept for a replay: the game copies as the walk left them, the walk, its log.
    trap - EXIT
    echo "soak: kept in $scratch; replay with: $build/taleforge-player $scratch/$name" \
      "--headless --walkthrough $walk" >&2
    exit 1
  fi
  while read -r _ _ bucket kib; do
    ((kib > ${peak[$bucket]:-0})) && peak[$bucket]=$kib
  done < <(grep '^soak: memory ' "$log")
  ran=$(sed -n 's/^soak: the program ended after \([0-9]*\) actions$/\1/p' "$log")
  if [[ -n $ran ]]; then
    ((++restarts))
    # A game that quits at once still moves the walk on.
    done_actions=$((done_actions + (ran > 0 ? ran : 1)))
  else
    done_actions=$((done_actions + count))
  fi
done

echo "soak: $actions actions in $runs runs ($restarts ended by the walk quitting), seed $seed"
first_peak=${peak[0]:-0} worst=0
for ((bucket = 0; bucket * 1000 < actions; ++bucket)); do
  kib=${peak[$bucket]:-0}
  printf 'soak: actions %6d-%-6d peak resident memory %4d MiB\n' $((bucket * 1000)) \
    $((bucket * 1000 + 999)) $((kib / 1024))
  ((bucket > 0 && kib > worst)) && worst=$kib
done
# Flat: no later thousand peaks more than a tenth above the first.
if ((worst * 10 > first_peak * 11)); then
  echo "soak: memory grew from $((first_peak / 1024)) MiB to $((worst / 1024)) MiB" >&2
  exit 1
fi
echo "soak: nothing crashed, hung or leaked; memory flat"
