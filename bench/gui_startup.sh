#!/usr/bin/env bash
# Start-up time (to the first shown window), resident memory after start-up and idle CPU of a
# desktop program on an X display. Run the same way for any program to compare.
# Usage: DISPLAY=:99 bench/gui_startup.sh "Window name" command [args...]
set -euo pipefail
name=$1
shift
start=$(date +%s%N)
"$@" >/dev/null 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
until xdotool search --onlyvisible --name "$name" >/dev/null 2>&1; do sleep 0.005; done
shown=$(date +%s%N)
sleep 3
rss=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
before=$(ticks)
sleep 30
after=$(ticks)
hz=$(getconf CLK_TCK)
echo "$name: first window after $(((shown - start) / 1000000)) ms, RSS $((rss / 1024)) MB," \
  "idle CPU $(awk -v t=$((after - before)) -v hz="$hz" 'BEGIN {printf "%.2f", 100 * t / hz / 30}') %"
