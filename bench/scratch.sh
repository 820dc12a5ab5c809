# Sourced by the bench scripts: a scratch folder in $work and the background processes they
# start (append each pid to `pids`), both gone when the script exits, however it exits.
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
