#!/usr/bin/env bash
# Installs what the build needs (Debian 12) and configures + builds one tree.
# Usage: scripts/setup.sh [--asan|--tsan|--release|--fuzz]  -> prints the build directory on its last
# line.
# --release is the tree the run command uses: the two programs only, no tests or benchmarks, and
# warnings stay warnings. The developers' trees build everything with warnings as errors.
# --fuzz is the clang tree of the libFuzzer targets (fuzz/) with ASan+UBSan: those targets only.
set -euo pipefail
cd "$(dirname "$0")/.."

mode=default
build_type=RelWithDebInfo
sanitize=""
for arg in "$@"; do
  case "$arg" in
    --asan) mode=asan; sanitize=address; build_type=Debug ;;
    --tsan) mode=tsan; sanitize=thread; build_type=Debug ;;
    --release) mode=release; build_type=Release ;;
    --fuzz) mode=fuzz; sanitize=address; build_type=RelWithDebInfo ;;
    *) echo "unknown option: $arg" >&2; exit 2 ;;
  esac
done

# dpkg-dev: dpkg-shlibdeps, which works out the Debian packages' dependencies (scripts/package.sh).
# libmosquitto-dev, libcpp-httplib-dev: the bridge's MQTT client and metrics endpoint.
packages=(g++ cmake ninja-build pkg-config qt6-base-dev qt6-svg-dev libgl-dev nlohmann-json3-dev
  dpkg-dev libmosquitto-dev libcpp-httplib-dev)
developer=ON
release_flags=()
if [ "$mode" = release ]; then
  developer=OFF
  # -O2 as Debian builds its packages: -O3 costs build time the user waits for and gains nothing
  # this program shows.
  release_flags=(-DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG")
else
  packages+=(libgtest-dev libgmock-dev libbenchmark-dev clang clang-format libclang-rt-14-dev srecord
    ser2net xvfb xauth xdotool imagemagick
    # the package check (scripts/check-packages.sh) and the completion tests
    lintian desktop-file-utils appstream man-db bash-completion zsh fish
    # the bridge tests' broker and subscriber
    mosquitto mosquitto-clients openssl)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}" >&2
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq >&2
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q "${missing[@]}" >&2
fi
build_dir="build/$mode"
tree_options=(-DNETLOOM_WERROR="$developer" -DNETLOOM_BUILD_TESTS="$developer"
  -DNETLOOM_BUILD_BENCH="$developer" "${release_flags[@]}")
targets=()
if [ "$mode" = fuzz ]; then
  # A clang-only warning must not keep the fuzzers from running; the gcc trees judge warnings.
  tree_options=(-DCMAKE_CXX_COMPILER=clang++-14 -DNETLOOM_FUZZ=ON -DNETLOOM_WERROR=OFF
    -DNETLOOM_BUILD_TESTS=OFF -DNETLOOM_BUILD_BENCH=OFF -DNETLOOM_BUILD_GUI=OFF)
  for source in fuzz/*_fuzz.cpp; do
    name=$(basename "$source" _fuzz.cpp)
    targets+=(--target "${name}_fuzzer")
  done
fi
if [ ! -f "$build_dir/build.ninja" ]; then
  if [ "$mode" = release ]; then
    echo "First build of $build_dir: about 3 minutes on two free cores." >&2
  else
    echo "First build of $build_dir: every program, test and benchmark, the longest step." >&2
  fi
fi
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE="$build_type" \
  -DNETLOOM_SANITIZE="$sanitize" "${tree_options[@]}" >&2
# Build output goes to the terminal through stderr (stdout carries only the build directory), so
# ninja's [done/total] status shows the progress.
cmake --build "$build_dir" -j "$(nproc)" "${targets[@]}" >&2
echo "$build_dir"
