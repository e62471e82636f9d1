#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, address and undefined-behaviour
# sanitizers, in build-fuzz/) and runs each for SECONDS (default 60), from
# its seed corpus in fuzz/corpus/. Prints executions and coverage per target;
# exits 0 only when no target crashed, hung, leaked or blew its memory.
# Usage: scripts/fuzz.sh [SECONDS] [TARGET...]
# FUZZ_JOBS=N runs N targets at once (default 1); FUZZ_RUNS=N also ends a
# target after N executions; FUZZ_TIMEOUT=S counts an input running past S
# seconds (default 60) as a hang. The largest animation the player takes (2^30
# pixels a pass) costs about 16 s of processor time here, so the default is
# well above it. The timeout is wall time: a run sharing the machine with
# other work, or paused, needs a longer one.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

seconds=${1:-60}
[[ $seconds =~ ^[0-9]+$ ]] || { echo "usage: scripts/fuzz.sh [SECONDS] [TARGET...]" >&2; exit 2; }
shift $(($# > 0 ? 1 : 0))
jobs=${FUZZ_JOBS:-1}
runs_limit=${FUZZ_RUNS:--1}
timeout_seconds=${FUZZ_TIMEOUT:-60}

scripts/setup.sh --fuzz

# The longest input each target tries: data files are short, media larger.
declare -A max_len=(
  [picture]=16384 [cursor]=8192 [animated_gif]=16384
  [wav]=8192 [mid]=4096 [mp3]=8192 [avi]=32768
)
targets=("$@")
if ((${#targets[@]} == 0)); then
  for seeds in fuzz/corpus/*/; do targets+=("$(basename "$seeds")"); done
fi

out=build-fuzz/runs
findings=build-fuzz/findings
mkdir -p "$out" "$findings"
export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy
export XDG_CONFIG_HOME=$PWD/$out/config XDG_RUNTIME_DIR=$PWD/$out/runtime
mkdir -p -m 700 "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp

# Runs one target; its log goes to $out/TARGET.log, new inputs to
# $out/TARGET/ (the committed seeds stay as they are).
run_target() {
  local name=$1 asan=detect_leaks=1
  # SDL and its mixer lack frame pointers: only the slow unwind sees their
  # functions, which the leak suppressions name.
  [[ $name == @(wav|mid|mp3|avi) ]] && asan+=:fast_unwind_on_malloc=0
  mkdir -p "$out/$name"
  # A run that hangs past -timeout or dies on its own still ends here.
  ASAN_OPTIONS=$asan timeout --kill-after=30 $((seconds + 120)) \
    "build-fuzz/fuzz/fuzz_$name" "$out/$name" "fuzz/corpus/$name" \
    -max_total_time="$seconds" -runs="$runs_limit" -max_len="${max_len[$name]:-4096}" \
    -timeout="$timeout_seconds" -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$findings/$name-" >"$out/$name.log" 2>&1
}

# One line per target: executions, coverage and the outcome.
report() {
  local name=$1 status=$2 log=$out/$1.log runs cov
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | cut -d' ' -f2 || true)
  local outcome=ok
  if ((status != 0)); then
    outcome="FOUND (exit $status): $(grep -m1 -E 'ERROR: |runtime error|Test unit written' "$log" || echo "see $log")"
  fi
  printf '%-16s %12s execs %8s cov  %s\n' "$name" "${runs:-?}" "${cov:-?}" "$outcome"
}

found=0
declare -A pids=()
wait_one() {
  local pid status=0 name
  wait -n -p pid || status=$?
  name=${pids[$pid]}
  unset "pids[$pid]"
  report "$name" "$status"
  ((status == 0)) || found=1
}
echo "fuzz: ${#targets[@]} targets, ${seconds}s each, $jobs at a time"
for name in "${targets[@]}"; do
  [[ -x build-fuzz/fuzz/fuzz_$name ]] || { echo "fuzz: no target '$name'" >&2; exit 2; }
  while ((${#pids[@]} >= jobs)); do wait_one; done
  run_target "$name" &
  pids[$!]=$name
done
while ((${#pids[@]} > 0)); do wait_one; done

if ((found)); then
  echo "fuzz: findings in $findings/, logs in $out/"
  exit 1
fi
echo "fuzz: nothing found"
