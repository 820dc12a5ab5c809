#!/usr/bin/env bash
# Bridge soak: netloom-cli bridge walking a virtual module every 5 s and publishing to a real
# Mosquitto, with its metrics endpoint scraped, for a while. Prints the bridge's resident memory,
# descriptors, threads and CPU time at the start, every minute and at the end (fails when memory,
# descriptors or threads grow beyond a small tolerance), the walks it made, and the delay from a
# walk's end (the walk's last byte read, from the link trace) to the broker's delivery of
# `network` to a subscriber: median and largest.
# Usage: bench/bridge_soak.sh [SECONDS] [BUILD_DIR]   (default 3600 s, build/default)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-3600}
build=${2:-build/default}
cli=$build/src/cli/netloom-cli
. bench/scratch.sh

free_port() { python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])'; }
broker_port=$(free_port)
metrics_port=$(free_port)
printf 'listener %s 127.0.0.1\nallow_anonymous true\npersistence false\nuser root\n' "$broker_port" \
  >"$work/mosquitto.conf"
/usr/sbin/mosquitto -c "$work/mosquitto.conf" >"$work/mosquitto.log" 2>&1 &
pids+=("$!")
"$cli" sim --link "$work/module" >/dev/null 2>"$work/sim.err" &
pids+=("$!")
until [ -e "$work/module" ]; do sleep 0.1; done
until mosquitto_pub -p "$broker_port" -t netloom-bench/up -m 1 2>/dev/null; do sleep 0.1; done

# Receipt times of `network`, in seconds since the epoch.
mosquitto_sub -p "$broker_port" -t netloom/bench/network -F '%U' >"$work/received" &
pids+=("$!")
# The link trace, each line stamped with the time it was written.
NETLOOM_TRACE=1 "$cli" bridge --port "$work/module" --mqtt "mqtt://127.0.0.1:$broker_port" \
  --site bench --period 5 --metrics "$metrics_port" 2> >(python3 -u -c '
import sys, time
for line in sys.stdin:
    sys.stdout.write("%.6f %s" % (time.time(), line))' >"$work/trace") >/dev/null &
bridge_pid=$!
pids+=("$bridge_pid")

figures() {
  local pid=$1 ticks
  ticks=$(awk '{print $14 + $15}' "/proc/$pid/stat")
  echo "$(awk '/^VmRSS/ {print $2}' "/proc/$pid/status") $(ls "/proc/$pid/fd" | wc -l)" \
    "$(awk '/^Threads/ {print $2}' "/proc/$pid/status")" \
    "$(awk -v t="$ticks" -v hz="$(getconf CLK_TCK)" 'BEGIN {printf "%.2f", t / hz}')"
}
walks() { curl -s "127.0.0.1:$metrics_port/metrics" | awk '/^netloom_walks_total/ {print $2}'; }

sleep 15 # settle: the first walks
read -r rss0 fd0 thr0 cpu0 <<<"$(figures "$bridge_pid")"
printf '%8s  %8s  %4s  %7s  %8s  %6s\n' seconds "RSS KiB" fds threads "CPU s" walks
printf '%8d  %8d  %4d  %7d  %8s  %6s\n' 0 "$rss0" "$fd0" "$thr0" "$cpu0" "$(walks)"
start=$(date +%s)
while [ $(($(date +%s) - start)) -lt "$seconds" ]; do
  sleep $((seconds < 60 ? seconds : 60))
  read -r rss fd thr cpu <<<"$(figures "$bridge_pid")"
  printf '%8d  %8d  %4d  %7d  %8s  %6s\n' $(($(date +%s) - start)) "$rss" "$fd" "$thr" "$cpu" \
    "$(walks)"
done

# Walk end: the last read traced before each delivery.
python3 - "$work/trace" "$work/received" <<'PY'
import sys
reads = [float(l.split()[0]) for l in open(sys.argv[1]) if " read " in l]
delays = []
for line in open(sys.argv[2]):
    got = float(line.split()[0])
    before = [r for r in reads if r <= got]
    if before:
        delays.append((got - before[-1]) * 1000)
delays.sort()
if delays:
    print("walk end to delivery of network: median %.1f ms, largest %.1f ms over %d walks"
          % (delays[len(delays) // 2], delays[-1], len(delays)))
PY
failed=0
[ "$rss" -le $((rss0 + rss0 / 10 + 1024)) ] || { echo "memory grew: $rss0 -> $rss KiB"; failed=1; }
[ "$fd" -le "$fd0" ] || { echo "descriptors grew: $fd0 -> $fd"; failed=1; }
[ "$thr" -le "$thr0" ] || { echo "threads grew: $thr0 -> $thr"; failed=1; }
exit $failed
