#!/usr/bin/env bash
# Game logic reaches the desktop and the media libraries only through
# src/platform: no Qt, SDL, FluidSynth or FFmpeg header outside it and app/.
set -uo pipefail
src=$1
found=$(grep -rnE '#include[[:space:]]*[<"](Q[A-Za-z]*|qt[a-z]*/|SDL|fluidsynth|libav|libsw)' \
  "$src"/startup "$src"/frames "$src"/areas "$src"/state "$src"/media "$src"/welcome)
if [[ -n $found ]]; then
  echo "game logic includes a library header:" >&2
  echo "$found" >&2
  exit 1
fi
echo "layering: game logic includes no library header"
