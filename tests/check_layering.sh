#!/usr/bin/env bash
# Game logic reaches the desktop and the media libraries only through the
# platform's interface: no Qt, SDL, FluidSynth or FFmpeg header outside
# src/platform/qt, src/platform/audio, src/platform/video and app/. The build enforces the same (the game logic does
# not link Qt); this check also catches headers found by other paths.
set -uo pipefail
src=$1
found=$(grep -rnE '#include[[:space:]]*[<"](Q[A-Za-z]*|qt[a-z]*/|SDL|fluidsynth|libav|libsw)' \
  "$src"/game "$src"/startup "$src"/frames "$src"/areas "$src"/state "$src"/media "$src"/welcome \
  "$src"/platform/runtime "$src"/platform/ui "$src"/platform/media "$src"/platform/*.h \
  $(test -d "$src"/platform/memory && echo "$src"/platform/memory))
if [[ -n $found ]]; then
  echo "game logic includes a library header:" >&2
  echo "$found" >&2
  exit 1
fi
echo "layering: game logic includes no library header"
