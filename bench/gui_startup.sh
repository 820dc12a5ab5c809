#!/usr/bin/env bash
# Start-up time (to the first shown window), then CPU time and resident memory over an idle
# period, of a desktop program on an X display. Run the same way for any program to compare.
# Usage: DISPLAY=:99 bench/gui_startup.sh "Window name" command [args...]
#        DISPLAY=:99 bench/gui_startup.sh --netloom path/to/netloom
# --netloom measures the desktop program in each of its start states: the UART dialog over an
# empty document (started plainly), an empty document (the dialog cancelled) and the demo network
# connected and running (--demo). A program at rest stays under 1 % of a core, its memory flat.
# IDLE_SECONDS (default 20) sets the idle period, measured after 3 s of settling.
set -euo pipefail
idle_seconds=${IDLE_SECONDS:-20}
hz=$(getconf CLK_TCK)
pid=""
trap '[ -z "$pid" ] || kill "$pid" 2>/dev/null || true' EXIT

shown() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1; }
wait_shown() { until [ -n "$(shown "$1")" ]; do sleep 0.005; done; }

# Starts the program and waits for its first window, called $1; sets pid and first_window_ms.
start() {
  local name=$1
  shift
  local begin
  begin=$(date +%s%N)
  "$@" >/dev/null 2>&1 &
  pid=$!
  wait_shown "$name"
  first_window_ms=$((($(date +%s%N) - begin) / 1000000))
}

rss_mb() { awk '/VmRSS/ {printf "%.1f", $2 / 1024}' "/proc/$pid/status"; }
cpu_ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }

# Reports CPU time and memory over the idle period, then ends the program.
report_idle() {
  local label=$1
  sleep 3
  local rss_before ticks_before
  rss_before=$(rss_mb)
  ticks_before=$(cpu_ticks)
  sleep "$idle_seconds"
  local rss_after ticks
  rss_after=$(rss_mb)
  ticks=$(($(cpu_ticks) - ticks_before))
  awk -v label="$label" -v ms="$first_window_ms" -v s="$idle_seconds" -v t="$ticks" -v hz="$hz" \
    -v r0="$rss_before" -v r1="$rss_after" 'BEGIN {
      printf "%s: first window after %d ms; idle %d s: CPU %.2f s (%.2f %% of a core), RSS %s -> %s MB\n",
        label, ms, s, t / hz, 100 * t / hz / s, r0, r1 }'
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  pid=""
}

if [ "${1:-}" != --netloom ]; then
  name=$1
  shift
  start "$name" "$@"
  report_idle "$name"
  exit
fi

netloom=$2
start '^Netloom' "$netloom"
wait_shown '^UART$'
report_idle "UART dialog over an empty document"

start '^Netloom' "$netloom"
wait_shown '^UART$'
xdotool key --window "$(shown '^UART$')" Escape
while [ -n "$(shown '^UART$')" ]; do sleep 0.005; done
report_idle "Empty document"

start '^Netloom' "$netloom" --demo
report_idle "Demo network running (--demo)"
