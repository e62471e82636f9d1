#!/usr/bin/env bash
# Installs the Debian packages the player needs (only those missing), then configures and builds it.
# Usage: scripts/setup.sh [--sanitize | --fuzz]
# --fuzz builds only the fuzz targets, with clang, in build-fuzz/.
set -euo pipefail

build_dir=build
cmake_options=(-G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo)
build_targets=()
fuzz_packages=()
for arg in "$@"; do
  case "$arg" in
    --sanitize)
      build_dir=build-asan
      cmake_options+=(-DTALEFORGE_SANITIZE=ON)
      ;;
    --fuzz)
      build_dir=build-fuzz
      cmake_options+=(-DCMAKE_CXX_COMPILER=clang++-14 -DTALEFORGE_FUZZ=ON)
      build_targets=(--target fuzz_targets)
      fuzz_packages=(clang-14 libclang-rt-14-dev)
      ;;
    -h | --help)
      echo "usage: scripts/setup.sh [--sanitize | --fuzz]"
      exit 0
      ;;
    *)
      echo "setup: unknown option '$arg' (usage: scripts/setup.sh [--sanitize | --fuzz])" >&2
      exit 2
      ;;
  esac
done

cd "$(dirname "${BASH_SOURCE[0]}")/.."

packages=(
  qt6-base-dev
  libsdl2-dev libsdl2-mixer-dev
  libfluidsynth-dev fluidsynth timgm6mb-soundfont
  libavformat-dev libavcodec-dev libswscale-dev libswresample-dev libavutil-dev
  fonts-liberation libfontconfig-dev
  cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev
  xvfb xauth imagemagick ffmpeg sox lame
  openbox xdotool x11-utils x11-xserver-utils
  ${fuzz_packages[@]+"${fuzz_packages[@]}"}
)

# Fills the array `missing` with the packages dpkg does not list as installed.
find_missing_packages() {
  local -A installed=()
  local name status
  # dpkg-query fails when it does not know a package at all; those simply stay missing.
  while read -r name status; do
    [[ $status == ?i* ]] && installed[$name]=1
  done < <(dpkg-query -W -f='${Package} ${db:Status-Abbrev}\n' "${packages[@]}" 2>/dev/null || true)
  missing=()
  for name in "${packages[@]}"; do
    [[ -n ${installed[$name]:-} ]] || missing+=("$name")
  done
}

find_missing_packages
if ((${#missing[@]} == 0)); then
  echo "setup: all ${#packages[@]} packages installed"
else
  echo "setup: installing ${missing[*]}"
  if ((EUID == 0)); then
    as_root=()
  elif command -v sudo >/dev/null; then
    as_root=(sudo)
  else
    echo "setup: installing packages needs root or sudo" >&2
    exit 1
  fi
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
  find_missing_packages
  if ((${#missing[@]} != 0)); then
    echo "setup: still missing after install: ${missing[*]}" >&2
    exit 1
  fi
fi

if [[ ! -f $build_dir/build.ninja ]]; then
  echo "setup: configuring $build_dir"
  cmake -S . -B "$build_dir" "${cmake_options[@]}"
fi

echo "setup: building $build_dir"
cmake --build "$build_dir" ${build_targets[@]+"${build_targets[@]}"}
echo "setup: done"
