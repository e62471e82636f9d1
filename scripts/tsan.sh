#!/usr/bin/env bash
# Builds the tests with the thread sanitizer (in build-tsan/) and runs those
# where our threads meet: the MP3 worker, the audio callback and its sources,
# the video decoder and MIDI, the picture decoders, the welcome window's
# pictures drawn ahead, on SDL's disk and dummy drivers. Exits 0 when
# no race was reported. Usage: scripts/tsan.sh
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

build=build-tsan
if [[ ! -f $build/build.ninja ]]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTALEFORGE_TSAN=ON
fi
cmake --build "$build" --target tf_qt_tests tf_unit_tests taleforge-player

scratch=$(mktemp -d "${TMPDIR:-/tmp}/taleforge-tsan.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
mkdir -m 700 "$scratch/config" "$scratch/runtime"
export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy
export XDG_CONFIG_HOME=$scratch/config XDG_RUNTIME_DIR=$scratch/runtime
# Qt, SDL, FluidSynth and FFmpeg are not instrumented: what the sanitizer's
# interceptors (malloc, free, locks, memcpy) see them do among their own
# threads (Qt's image-scaling pool, SDL's audio thread) is not reported, but
# their locks still order our threads.
export TSAN_OPTIONS="ignore_noninstrumented_modules=1 second_deadlock_stack=1 exitcode=66"

status=0
"$build/tests/tf_qt_tests" --gtest_filter='DiskAudioTest.*:MediaDevicesTest.*:PictureStoreTest.*:BuiltinPicturesTest.*' || status=1
"$build/tests/tf_unit_tests" \
  --gtest_filter='PlayMP3sTest.*:MmediaTest.*:FrameMediaTest.*:SoundChannels*' || status=1
# The whole player with its threads: sound channels with MP3, a video, MIDI
# music, and closing the game while they sound.
walks=tests/walkthroughs
for walk in sound_and_mp3:sound video_skipped:video music_kept_and_stopped:music \
  closing_stops_sound:sound; do
  "$walks/run_walkthrough.sh" "$build/taleforge-player" "$walks/projects/${walk#*:}" \
    "$walks/${walk%%:*}.walk" || status=1
done
# Random user actions in the media games: threads meet in every order.
for project in sound music video; do
  cp -r "$walks/projects/$project" "$scratch/$project"
  {
    echo "soak seed 1 0"
    for ((i = 0; i < 300; ++i)); do echo "soak action"; done
    echo "soak end"
  } >"$scratch/soak.walk"
  "$build/taleforge-player" "$scratch/$project" --headless --walkthrough "$scratch/soak.walk" ||
    status=1
done
if ((status == 0)); then echo "tsan: no race reported"; else echo "tsan: races or failures above" >&2; fi
exit "$status"
