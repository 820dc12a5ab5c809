#!/usr/bin/env bash
# The package check CI runs (scripts/test.sh without options): builds the Debian packages from
# the release tree, runs lintian on them (errors and warnings fail: a warning is fixed or
# overridden with its reason in packaging/lintian/), installs them with apt, checks the
# installed programs and files, and removes them again. Prints the packages' sizes and the
# installed programs' start time and memory beside the release tree's.
set -euo pipefail
cd "$(dirname "$0")/.."
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

mapfile -t debs < <(./scripts/package.sh)
[ ${#debs[@]} -eq 2 ] || fail "expected the packages netloom and netloom-cli, got: ${debs[*]}"
echo "Packages:" >&2
for deb in "${debs[@]}"; do
  printf '  %s  %s KiB, installed %s KiB\n' "$(basename "$deb")" "$(($(stat -c %s "$deb") / 1024))" \
    "$(dpkg-deb -f "$deb" Installed-Size)" >&2
done

echo "lintian" >&2
lintian --fail-on error,warning --info "${debs[@]}" >&2 || fail "lintian found errors or warnings"

# A machine that has Netloom installed keeps it: the check installs and removes only on a machine
# without it (CI's is fresh).
for package in netloom netloom-cli; do
  if dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    echo "Packages built and lintian-clean; $package is installed here, so the install check is" \
      "left to a machine without it" >&2
    exit 0
  fi
done

installed=0
remove() {
  [ $installed -eq 1 ] || return 0
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get purge -y -q netloom netloom-cli >&2
}
trap remove EXIT
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q "${debs[@]}" >&2
installed=1

version=$(sed -n 's/^project(Netloom VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ "$(/usr/bin/netloom-cli --version)" = "netloom-cli $version" ] || fail "netloom-cli --version"
[ "$(QT_QPA_PLATFORM=offscreen /usr/bin/netloom --version)" = "Netloom $version" ] ||
  fail "netloom --version"

# The installed virtual module and the installed walk against it.
link_file=$(mktemp)
/usr/bin/netloom-cli sim >"$link_file" &
sim_pid=$!
trap 'kill $sim_pid 2>/dev/null; rm -f "$link_file"; remove' EXIT
for _ in $(seq 100); do [ -s "$link_file" ] && break; sleep 0.1; done
link=$(head -n 1 "$link_file")
/usr/bin/netloom-cli walk --port "$link" | grep -q "^0000  Coordinator" ||
  fail "the installed netloom-cli walk did not find the demo network's coordinator"

desktop-file-validate /usr/share/applications/org.netloom.Netloom.desktop ||
  fail "desktop-file-validate"
appstreamcli validate --no-net /usr/share/metainfo/org.netloom.Netloom.metainfo.xml >&2 ||
  fail "appstreamcli validate"
for page in netloom netloom-cli; do man -w "$page" >/dev/null || fail "man -w $page"; done
for file in /usr/lib/udev/rules.d/60-netloom.rules /usr/share/icons/hicolor/scalable/apps/netloom.svg \
  /usr/share/icons/hicolor/48x48/apps/netloom.png /usr/share/zsh/vendor-completions/_netloom-cli \
  /usr/share/fish/vendor_completions.d/netloom-cli.fish; do
  [ -f "$file" ] || fail "$file is missing"
done

# netloom-cli co<Tab>, as bash-completion loads the installed script on first use.
offered=$(bash -c 'source /usr/share/bash-completion/bash_completion
  __load_completion netloom-cli || exit 1
  COMP_WORDS=(netloom-cli co); COMP_CWORD=1; COMP_LINE="netloom-cli co"; COMP_POINT=14
  _netloom_cli; echo "${COMPREPLY[*]}"')
[ "$offered" = "completion config" ] || fail "netloom-cli co<Tab> offered '$offered'"

# Start time and memory: installed against the release tree. The desktop program: seconds from
# its start to its first window on a virtual display (Xvfb), and its resident memory then.
measure() {
  /usr/bin/time -f "%e s, %M KiB peak" "$@" 2>&1 >/dev/null | tail -n 1
}
first_window() {
  local numbers home start program xvfb display
  numbers=$(mktemp)
  home=$(mktemp -d)
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$numbers" 2>/dev/null &
  xvfb=$!
  for _ in $(seq 100); do [ -s "$numbers" ] && break; sleep 0.05; done
  display=":$(head -n 1 "$numbers")"
  start=$(date +%s.%N)
  DISPLAY=$display HOME=$home "$@" >/dev/null 2>&1 &
  program=$!
  if DISPLAY=$display timeout 30 xdotool search --sync --onlyvisible --class netloom >/dev/null; then
    awk -v start="$start" -v end="$(date +%s.%N)" -v rss="$(awk '/^VmRSS/ {print $2}' \
      /proc/$program/status)" 'BEGIN { printf "%.2f s to the first window, %s KiB resident", end - start, rss }'
  else
    echo "no window within 30 s"
  fi
  kill "$program" "$xvfb" 2>/dev/null
  wait "$program" "$xvfb" 2>/dev/null || true
  rm -rf "$numbers" "$home"
}
release=build/release
echo "Start time and memory (installed | release tree):" >&2
echo "  netloom: $(first_window /usr/bin/netloom) | $(first_window "$release/src/gui/netloom")" >&2
echo "  netloom-cli walk: $(measure /usr/bin/netloom-cli walk --port "$link") | $(
  measure "$release/src/cli/netloom-cli" walk --port "$link")" >&2
echo "Packages checked: ${debs[*]}" >&2
