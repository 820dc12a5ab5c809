#!/usr/bin/env bash
# Fuzzes every target in fuzz/ for SECONDS each, one after the other at the lowest priority (the
# machine is shared), starting from its stored corpus. New inputs go to build/fuzz/corpus/<name>
# (not into the repository); a crash, leak or time-out leaves its input in
# build/fuzz/findings/<name>/ and fails the run after all targets ran. Prints one summary line
# per target: runs, seconds, cov and ft as libFuzzer counts them, findings.
# Usage: fuzz/fuzz.sh SECONDS [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:?usage: fuzz/fuzz.sh SECONDS [TARGET...]}
shift
build_dir=$(./scripts/setup.sh --fuzz | tail -n 1)
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for source in fuzz/*_fuzz.cpp; do targets+=("$(basename "$source" _fuzz.cpp)"); done
fi
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
summary=()
failed=0
for name in "${targets[@]}"; do
  work="$build_dir/corpus/$name"
  findings="$build_dir/findings/$name"
  log="$build_dir/logs/$name.log"
  mkdir -p "$work" "$findings" "$(dirname "$log")"
  echo "Fuzzing $name for $seconds s" >&2
  status=0
  # -timeout: an input of a few hundred bytes takes well under a millisecond; 10 s is a hang even
  # at the lowest priority on a loaded machine (1 s was not: a starved run passed it).
  nice -n 19 "$build_dir/fuzz/${name}_fuzzer" -max_total_time="$seconds" -timeout=10 \
    -rss_limit_mb=1024 -print_final_stats=1 -artifact_prefix="$findings/" \
    "$work" "fuzz/corpus/$name" >"$log" 2>&1 || status=$?
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo 0)
  line=$(grep -E '#[0-9]+.*(DONE|cov:)' "$log" | tail -n 1)
  cov=$(grep -o 'cov: [0-9]*' <<<"$line" | grep -o '[0-9]*' || echo '?')
  ft=$(grep -o 'ft: [0-9]*' <<<"$line" | grep -o '[0-9]*' || echo '?')
  found=$(find "$findings" -type f | wc -l)
  summary+=("$name: runs $runs, $seconds s, cov $cov, ft $ft, findings $found")
  if [ $status -ne 0 ] || [ "$found" -ne 0 ]; then
    failed=1
    echo "FAILED: $name (log $log)" >&2
  fi
done
printf '%s\n' "${summary[@]}"
exit $failed
