#!/usr/bin/env bash
# Sets everything up, then runs the benchmarks: frame changes and going back
# beside decoding alone (offscreen), then the whole program's start, peak
# memory, idle processor time and walkthrough of clicks (on a virtual X
# display). Each figure is printed with its ratio and goal. Figures move with
# the machine's load: run it on a quiet machine and compare runs side by side.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

scripts/setup.sh

scratch=$(mktemp -d "${TMPDIR:-/tmp}/taleforge-bench.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
mkdir -m 700 "$scratch/config" "$scratch/runtime"
export XDG_CONFIG_HOME="$scratch/config"
export XDG_RUNTIME_DIR="$scratch/runtime"
export SDL_AUDIODRIVER=dummy

echo "== frame changes, in the program (offscreen)"
QT_QPA_PLATFORM=offscreen build/tests/tf_bench_area_click
echo "== the whole program (virtual X display, 1920 x 1080)"
xvfb-run -a -s "-screen 0 1920x1080x24" build/tests/tf_bench_process
