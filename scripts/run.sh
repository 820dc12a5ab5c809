#!/usr/bin/env bash
# Installs what is missing, builds, and shows Netloom talking to the virtual module's demo network.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=$(./scripts/setup.sh --release | tail -n 1)
cli="$build_dir/src/cli/netloom-cli"
link_file=$(mktemp)
"$cli" sim >"$link_file" &
sim_pid=$!
trap 'kill $sim_pid 2>/dev/null; rm -f "$link_file"' EXIT
for _ in $(seq 50); do [ -s "$link_file" ] && break; sleep 0.1; done
link=$(head -n 1 "$link_file")
echo "Virtual module (demo network) on $link"
echo "\$ netloom-cli at --port $link ATINFO"
"$cli" at --port "$link" ATINFO
echo "\$ netloom-cli walk --port $link"
"$cli" walk --port "$link"
