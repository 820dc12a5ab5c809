#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
# Options: --asan (Address + UndefinedBehavior sanitizers), --tsan (ThreadSanitizer).
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=$(./scripts/setup.sh "$@" | tail -n 1)
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$PWD/tests/tsan.supp"
ctest --test-dir "$build_dir" --output-on-failure -j "$(nproc)" --timeout 300
