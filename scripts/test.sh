#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test; without options it then also builds the
# run command's release tree, checks the run command without a display, and checks the Debian
# packages (scripts/check-packages.sh).
# Options: --asan (Address + UndefinedBehavior sanitizers), --tsan (ThreadSanitizer),
# --fuzz SECONDS (fuzz/fuzz.sh: every fuzz target for that long under libFuzzer, instead of the
# tests).
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-}" = --fuzz ]; then
  exec ./fuzz/fuzz.sh "${2:?usage: scripts/test.sh --fuzz SECONDS}"
fi
build_dir=$(./scripts/setup.sh "$@" | tail -n 1)
# Every source file as clang-format (.clang-format) writes it.
echo "Checking formatting (clang-format)" >&2
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$PWD/tests/tsan.supp"
# The tests mostly wait on serial lines and the virtual module (about 30 s of processor time in 5
# minutes of two at a time), so three run per core; under a sanitizer they compute, one per core.
jobs=$((3 * $(nproc)))
case "${1:-}" in --asan | --tsan) jobs=$(nproc) ;; esac
ctest --test-dir "$build_dir" --output-on-failure -j "$jobs" --timeout 300

# The run command as a first-time user without a display runs it: the release tree (nothing of it
# is shared with the test tree) builds, and the command-line twin prints the demo network from
# its coordinator down.
if [ $# -eq 0 ]; then
  echo "Checking the run command without a display (./scripts/run.sh)" >&2
  walk=$(env -u DISPLAY -u WAYLAND_DISPLAY ./scripts/run.sh)
  echo "$walk"
  if ! grep -q "^0000  Coordinator" <<<"$walk"; then
    echo "FAILED: ./scripts/run.sh without a display did not print the demo network's coordinator" >&2
    exit 1
  fi
  # The Debian packages: built from the release tree, lintian, installed, checked, removed.
  ./scripts/check-packages.sh
fi
