#!/usr/bin/env bash
# Builds the Debian packages netloom and netloom-cli from the release tree (build/release) with
# CPack; prints their paths, one a line. Install them with: apt install ./build/release/*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=$(./scripts/setup.sh --release | tail -n 1)
cmake --build "$build_dir" --target netloom_packaging >&2
rm -f "$build_dir"/netloom*.deb
(cd "$build_dir" && cpack -G DEB >&2)
ls "$PWD/$build_dir"/netloom*.deb
