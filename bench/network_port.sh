#!/usr/bin/env bash
# Network ports against the pseudo-terminal: the walk, the configuration read and the 64 KiB
# firmware upload (mode switch, upload at 115200, return) run with netloom-cli on a virtual
# module with line-rate emulation, once on its pseudo-terminal directly and once through a real
# ser2net in RFC 2217 mode on loopback, in the same run. Prints wall time of each, the ratio
# network / direct, and the client's processor time (user + system) of each upload.
# Usage: bench/network_port.sh [BUILD_DIR] [REPEATS]   (default build/default, 3; medians)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/default}
repeats=${2:-3}
cli=$build/src/cli/netloom-cli
. bench/scratch.sh

"$cli" sim --baud-rate-emulation --link "$work/module" >/dev/null 2>"$work/sim.err" &
pids+=("$!")
until [ -e "$work/module" ]; do sleep 0.1; done

port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')
cat >"$work/ser2net.yaml" <<YAML
%YAML 1.1
---
connection: &module
  accepter: telnet(rfc2217),tcp,127.0.0.1,$port
  connector: serialdev,$work/module,9600n81,local
  options:
    kickolduser: true
YAML
/usr/sbin/ser2net -n -u -c "$work/ser2net.yaml" >"$work/ser2net.log" 2>&1 &
pids+=("$!")
until grep -q "$(printf '0100007F:%04X' "$port") 00000000:0000 0A" /proc/net/tcp; do sleep 0.1; done

head -c 65536 /dev/urandom >"$work/image.bin"
srec_cat "$work/image.bin" -binary -o "$work/image.hex" -intel -Output_Block_Size 16

# Runs one command; appends "seconds cpu_seconds" to the file named first.
measure() {
  local out=$1
  shift
  /usr/bin/time -f "%e %U %S" -o "$work/time" "$@" >/dev/null 2>"$work/err" ||
    { echo "failed: $*" >&2; cat "$work/err" >&2; exit 1; }
  awk '{ printf "%s %.2f\n", $1, $2 + $3 }' "$work/time" >>"$out"
}
median() { sort -n -k"$2" "$1" | awk -v k="$2" '{ v[NR] = $k } END { print v[int((NR + 1) / 2)] }'; }

declare -A paths=([direct]="$work/module" [rfc2217]="rfc2217://127.0.0.1:$port")
for ((i = 0; i < repeats; i++)); do
  for kind in direct rfc2217; do
    measure "$work/$kind.walk" "$cli" walk --port "${paths[$kind]}"
    measure "$work/$kind.read" "$cli" config read --port "${paths[$kind]}"
  done
done
for ((i = 0; i < repeats; i++)); do
  for kind in direct rfc2217; do
    measure "$work/$kind.flash" "$cli" flash --port "${paths[$kind]}" "$work/image.hex"
    sleep 4  # the module restarts (3 s) after the upload's return
  done
done

printf '%-22s %10s %10s %8s\n' "median of $repeats" "direct s" "rfc2217 s" "ratio"
for step in walk read flash; do
  d=$(median "$work/direct.$step" 1)
  n=$(median "$work/rfc2217.$step" 1)
  printf '%-22s %10s %10s %8.2f\n' "$step" "$d" "$n" "$(echo "$n / $d" | bc -l)"
done
printf 'client CPU during the 64 KiB upload (user+system s): direct %s, rfc2217 %s\n' \
  "$(median "$work/direct.flash" 2)" "$(median "$work/rfc2217.flash" 2)"
