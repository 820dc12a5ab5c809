#!/usr/bin/env bash
# Installs what is missing, builds, and starts the desktop program. With no adapter attached the
# UART dialog offers the built-in demo network: OK, then Diagram > Run. `--demo` (passed on)
# opens the demo network connected and running at once. Without a display, the command-line
# twin shows the demo network instead.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=$(./scripts/setup.sh --release | tail -n 1)
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec "$build_dir/src/gui/netloom" "$@"
fi
echo "No display: showing the demo network with netloom-cli instead." >&2
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
