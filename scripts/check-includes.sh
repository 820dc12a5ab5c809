#!/usr/bin/env bash
# Checks that includes run down the floors the README's Layout draws: a file may include its own
# folder and the folders below it, never one above it or one beside it. Prints FILE:LINE and the
# rule for each include against the order, and exits 1 if there is one.
# Usage: scripts/check-includes.sh [SOURCE_ROOT]   (the repository by default)
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"

# Each module's folders from the top down; "a|b" stand side by side. Files directly in the
# module's folder (src/gui/main.cpp, src/core/link/link.h) stand above all its folders.
orders=(
  "src/gui: shell > view > tools > panes|gadget > model > res"
  "src/core/link: identity > config > exchange > worker > walk > serial"
)
# Includes against the order that stand for now, each with its reason. One that is gone must
# leave this list too, so the list never hides a new one.
known=(
  # The session keeps the module's configuration image and identity, data types that live beside
  # the exchanges that fill them.
  "src/core/link/worker/link_session.h core/link/config/config_image.h"
  "src/core/link/worker/link_session.h core/link/identity/module_identity.h"
  # A node's record carries the configuration image last read from it.
  "src/core/link/walk/node_table.h core/link/config/config_image.h"
)

status=0
for order in "${orders[@]}"; do
  base=${order%%:*}
  chain=${order#*: }
  [ -d "$base" ] || continue
  find "$base" -name '*.h' -o -name '*.cpp' | sort |
    xargs -r grep -Hn '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' |
    awk -v base="$base" -v chain="$chain" -v known="$(printf '%s\n' "${known[@]}")" '
      BEGIN {
        prefix = substr(base, 5) "/"  # the include path of base: src/ dropped
        levels = split(chain, level, / > /)
        for (i = 1; i <= levels; i++) {
          n = split(level[i], side, /\|/)
          for (j = 1; j <= n; j++) rank[side[j]] = levels - i
        }
        n = split(known, entry, "\n")
        for (i = 1; i <= n; i++) if (entry[i] != "" && index(entry[i], base "/") == 1) allowed[entry[i]] = 0
        bad = 0
      }
      {
        split($0, part, ":")
        file = part[1]
        line = part[2]
        rest = substr(file, length(base) + 2)
        if (index(rest, "/") == 0) next  # directly in the module: above all its folders
        from = substr(rest, 1, index(rest, "/") - 1)
        if (!(from in rank)) {
          if (!(from in unknown))
            printf "%s:%s: folder %s/%s is not in the order \"%s\" (scripts/check-includes.sh)\n",
              file, line, base, from, chain
          unknown[from] = bad = 1
          next
        }
        target = $0
        sub(/^[^"]*"/, "", target)
        sub(/".*$/, "", target)
        if (index(target, prefix) != 1) next
        rest = substr(target, length(prefix) + 1)
        if (index(rest, "/") == 0) next
        to = substr(rest, 1, index(rest, "/") - 1)
        if (to == from || !(to in rank) || rank[to] < rank[from]) next
        if ((file " " target) in allowed) {
          allowed[file " " target] = 1
          next
        }
        printf "%s:%s: includes %s, but %s/%s stands %s %s/%s (%s)\n", file, line, target, base,
          from, rank[to] == rank[from] ? "beside" : "below", base, to, chain
        bad = 1
      }
      END {
        for (e in allowed) if (!allowed[e]) {
          printf "scripts/check-includes.sh: the known include \"%s\" is gone: drop it from the list\n", e
          bad = 1
        }
        exit bad
      }' || status=1
done
if [ $status -ne 0 ]; then
  echo "FAILED: includes against the folders' order (README, Layout)" >&2
fi
exit $status
