#!/usr/bin/env bash
# The arrow check must catch an upward include: a copy of the house's rules
# run on a tree whose solver includes the dialog, and whose console includes
# the solver, must name both and fail; the same tree without them must pass.
# And the floors must catch an arrow stated upward or in a circle.
set -euo pipefail
checker=$1
shift
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree/solver" "$tree/app" "$tree/console"
printf '#include "solver/kernel.hpp"\n#include <cmath>\n' >"$tree/solver/kernel.cpp"
printf '#include "console/console.hpp"\n#include "solver/kernel.hpp"\n' >"$tree/app/dialog.cpp"
printf '#pragma once\n' >"$tree/console/console.hpp"

python3 "$checker" "$tree" "$@" >/dev/null || { echo "a clean tree was refused"; exit 1; }

printf '#include "app/dialog.hpp"\n' >>"$tree/solver/kernel.cpp"
printf '// a comment\n#include "solver/kernel.hpp"\n' >"$tree/console/console.cpp"
status=0
out=$(python3 "$checker" "$tree" "$@") || status=$?
echo "$out"
[ "$status" -eq 1 ] || { echo "expected exit status 1, got $status"; exit 1; }
grep -qx 'solver/kernel.cpp:3: solver may not include app/dialog.hpp' <<<"$out" || { echo "upward include from solver not named"; exit 1; }
grep -qx 'console/console.cpp:2: console may not include solver/kernel.hpp' <<<"$out" || { echo "upward include from console not named"; exit 1; }

# An arrow stated from the ground floor up to app, and one from app to app's
# own floor, are refused whatever the includes.
floors=$(printf '%s\n' "$@" | grep '^FLOORS=') || { echo "no floors given"; exit 1; }
status=0
out=$(python3 "$checker" "$tree" "$floors" "solver=app" "app=page") || status=$?
[ "$status" -eq 1 ] || { echo "an upward arrow was not refused (status $status)"; exit 1; }
grep -qx 'solver may include app, which is not on a lower floor' <<<"$out" || { echo "upward arrow not named: $out"; exit 1; }
grep -qx 'app may include page, which is not on a lower floor' <<<"$out" || { echo "sideways arrow not named: $out"; exit 1; }
echo "upward includes and upward arrows are caught"
