#!/usr/bin/env bash
# Installs what the build needs (Debian 12) and configures + builds one tree.
# Usage: scripts/setup.sh [--asan|--tsan|--release]  -> prints the build directory on its last line.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(g++ cmake ninja-build pkg-config qt6-base-dev qt6-svg-dev libgl-dev nlohmann-json3-dev
  libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev srecord xvfb xauth
  xdotool imagemagick)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}" >&2
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq >&2
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}" >&2
fi

mode=default
build_type=RelWithDebInfo
sanitize=""
for arg in "$@"; do
  case "$arg" in
    --asan) mode=asan; sanitize=address; build_type=Debug ;;
    --tsan) mode=tsan; sanitize=thread; build_type=Debug ;;
    --release) mode=release; build_type=Release ;;
    *) echo "unknown option: $arg" >&2; exit 2 ;;
  esac
done
build_dir="build/$mode"
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE="$build_type" \
  -DNETLOOM_SANITIZE="$sanitize" >&2
cmake --build "$build_dir" -j "$(nproc)" >&2
echo "$build_dir"
