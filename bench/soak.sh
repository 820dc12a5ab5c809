#!/usr/bin/env bash
# Soak: the desktop program (on its own X server) on the demo network (refreshing every 5 s) and the command-line twin
# walking a virtual module in a loop, side by side for a while. Samples resident memory, open
# file descriptors and threads of both (the CLI's figures are those of the virtual module it
# walks, as each walk is a new process) at the start, every minute and at the end, and fails when
# a figure grows beyond a small tolerance or anything shows up on standard error.
# Usage: bench/soak.sh [SECONDS] [BUILD_DIR]   (default 3600 s, build/default)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-3600}
build=${2:-build/default}
gui=$build/src/gui/netloom
cli=$build/src/cli/netloom-cli
. bench/scratch.sh

# A real X server (the offscreen platform warns about window hints on every refresh).
Xvfb -displayfd 3 -screen 0 1280x900x24 3>"$work/display" 2>/dev/null &
pids+=("$!")
until [ -s "$work/display" ]; do sleep 0.1; done
mkdir -m 700 "$work/runtime"
DISPLAY=:$(cat "$work/display") XDG_RUNTIME_DIR=$work/runtime "$gui" --demo >/dev/null \
  2>"$work/gui.err" &
gui_pid=$!
pids+=("$gui_pid")
"$cli" sim --link "$work/module" >/dev/null 2>"$work/sim.err" &
sim_pid=$!
pids+=("$sim_pid")
until [ -e "$work/module" ]; do sleep 0.1; done

# Walks until told to stop; counts the walks and keeps any failure's standard error.
(
  walks=0
  while [ ! -e "$work/stop" ]; do
    if ! "$cli" walk --port "$work/module" >/dev/null 2>>"$work/walk.err"; then
      echo "walk $walks failed" >>"$work/walk.err"
    fi
    walks=$((walks + 1))
    echo "$walks" >"$work/walks"
  done
) &
pids+=("$!")

# VmRSS in KiB, open descriptors, threads.
figures() {
  local pid=$1
  echo "$(awk '/^VmRSS/ {print $2}' "/proc/$pid/status") $(ls "/proc/$pid/fd" | wc -l)" \
    "$(awk '/^Threads/ {print $2}' "/proc/$pid/status")"
}

sleep 5 # settle: the first walk and the first refreshes
read -r gui_rss0 gui_fd0 gui_thr0 <<<"$(figures "$gui_pid")"
read -r sim_rss0 sim_fd0 sim_thr0 <<<"$(figures "$sim_pid")"
printf '%8s  %-28s  %-28s  %s\n' "seconds" "desktop RSS KiB/fds/threads" \
  "module RSS KiB/fds/threads" "walks"
start=$(date +%s)
while :; do
  elapsed=$(($(date +%s) - start))
  for pid in "$gui_pid" "$sim_pid"; do
    kill -0 "$pid" 2>/dev/null || {
      echo "FAILED: process $pid ended during the soak" >&2
      exit 1
    }
  done
  read -r gui_rss gui_fd gui_thr <<<"$(figures "$gui_pid")"
  read -r sim_rss sim_fd sim_thr <<<"$(figures "$sim_pid")"
  printf '%8d  %-28s  %-28s  %s\n' "$elapsed" "$gui_rss/$gui_fd/$gui_thr" \
    "$sim_rss/$sim_fd/$sim_thr" "$(cat "$work/walks" 2>/dev/null || echo 0)"
  [ "$elapsed" -ge "$seconds" ] && break
  sleep $((seconds - elapsed < 60 ? seconds - elapsed : 60))
done
touch "$work/stop"

failed=0
# Memory may wobble with the allocator's pools: 10 % or 2 MiB, whichever is larger.
grew() {
  local name=$1 before=$2 after=$3 slack
  slack=$((before / 10 > 2048 ? before / 10 : 2048))
  if [ "$after" -gt $((before + slack)) ]; then
    echo "FAILED: $name grew from $before to $after KiB" >&2
    failed=1
  fi
}
same() {
  if [ "$3" -gt "$2" ]; then
    echo "FAILED: $1 grew from $2 to $3" >&2
    failed=1
  fi
}
grew "desktop memory" "$gui_rss0" "$gui_rss"
grew "module memory" "$sim_rss0" "$sim_rss"
same "desktop descriptors" "$gui_fd0" "$gui_fd"
same "desktop threads" "$gui_thr0" "$gui_thr"
same "module descriptors" "$sim_fd0" "$sim_fd"
same "module threads" "$sim_thr0" "$sim_thr"
for log in gui.err sim.err walk.err; do
  if [ -s "$work/$log" ]; then
    echo "FAILED: standard error of $log:" >&2
    head -n 20 "$work/$log" >&2
    failed=1
  fi
done
[ $failed -eq 0 ] && echo "Soak passed: memory, descriptors and threads flat; standard error empty."
exit $failed
