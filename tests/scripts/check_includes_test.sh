#!/usr/bin/env bash
# scripts/check-includes.sh against a small tree: each include against the order is named with
# its file and line, the ones along the order pass, and a folder outside the order is named.
set -euo pipefail
check=$(cd "$(dirname "$0")/../.." && pwd)/scripts/check-includes.sh
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
cd "$tree"
mkdir -p src/gui/{shell,panes,gadget,model,extra} src/core/link/{walk,config,worker,serial}
printf '#include "gui/model/rules.h"\n#include "core/link/serial/clock.h"\n' >src/gui/panes/pane.cpp
printf '// a comment\n  #include "gui/panes/pane.h"\n' >src/gui/model/rules.cpp
printf '#include <QWidget>\n#include "gui/gadget/pad.h"\n' >src/gui/panes/grid.h
printf '#include "gui/shell/main_frame.h"\n' >src/gui/extra/x.cpp
printf '#include "gui/panes/pane.h"\n#include "gui/model/rules.h"\n' >src/gui/shell/frame.cpp
printf '#include "core/link/config/config_image.h"\n' >src/core/link/walk/node_table.h
printf '#include "core/link/config/config_image.h"\n' >src/core/link/worker/link_session.h
printf '#include "core/link/worker/link_session.h"\n' >src/core/link/serial/port.cpp

status=0
out=$("$check" . 2>&1) || status=$?
expected=(
  "src/gui/model/rules.cpp:2: includes gui/panes/pane.h, but src/gui/model stands below src/gui/panes"
  "src/gui/panes/grid.h:2: includes gui/gadget/pad.h, but src/gui/panes stands beside src/gui/gadget"
  "src/gui/extra/x.cpp:1: folder src/gui/extra is not in the order"
  "src/core/link/serial/port.cpp:1: includes core/link/worker/link_session.h, but src/core/link/serial stands below src/core/link/worker"
  "the known include \"src/core/link/worker/link_session.h core/link/identity/module_identity.h\" is gone"
)
fail() {
  echo "FAILED: $1; the check printed:"
  echo "$out"
  exit 1
}
[ "$status" -eq 1 ] || fail "expected exit status 1, got $status"
for line in "${expected[@]}"; do
  grep -qF "$line" <<<"$out" || fail "missing: $line"
done
[ "$(grep -c '^src/' <<<"$out")" -eq 4 ] || fail "an include along the order was named"
echo "passed"
