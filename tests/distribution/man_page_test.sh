#!/usr/bin/env bash
# The manual page renders without a single warning, carries the project's
# version, can be indexed by whatis/apropos, and its examples are true: the
# worked example is the report the program prints for the default exercise,
# and the commands under USE FROM A SCRIPT run to the orderly stop.
#
#   man_page_test.sh <man page> <project version> <echo-track binary> <default exercise case>
set -euo pipefail
source "$(dirname "$0")/lib.sh"
page=$1 version=$2 binary=$3 default_case=$4
require groff man lexgrog
export LC_ALL=C.UTF-8
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

groff -ww -man -Tutf8 -z "$page" 2>"$work/groff.err"
[[ ! -s $work/groff.err ]] || { cat "$work/groff.err"; fail "groff -ww warns about $page"; }
man --warnings=w -l "$page" >/dev/null 2>"$work/man.err"
[[ ! -s $work/man.err ]] || { cat "$work/man.err"; fail "man -l warns about $page"; }

grep -q "^\.TH ECHO\\\\-TRACK 1 \"[^\"]*\" \"echo\\\\-track $version\"" "$page" ||
    fail ".TH line does not name version $version"
lexgrog "$page" | grep -q '"echo-track - ' || fail "lexgrog cannot read the NAME section"

# Plain text as a reader sees it: no bold, no underline, no overstrike.
groff -man -Tutf8 -P-cbou "$page" >"$work/page.txt"
section() { awk -v from="$1" -v to="$2" '$0 == from { on = 1; next } $0 == to { on = 0 } on' "$work/page.txt"; }

# Worked example: the report block, with the page's indentation taken off.
"$binary" <"$default_case/input" >"$work/out.txt" 2>/dev/null || fail "the default exercise did not stop with status 0"
awk '/^ OBSERVATION:$/ { on = 1 } on { print } on && /<Hit RETURN to continue\.\.\.>/ { exit }' "$work/out.txt" >"$work/report.txt"
[[ -s $work/report.txt ]] || fail "no report in the program's output"
section EXAMPLES BUGS |
    awk '/^ *OBSERVATION:$/ { on = 1; match($0, /^ */); cut = RLENGTH - 1 }
         on { print substr($0, cut + 1) }
         on && /<Hit RETURN to continue\.\.\.>/ { exit }' >"$work/example.txt"
same_text "$work/report.txt" "$work/example.txt" program "man page EXAMPLES" ||
    fail "the worked example differs from the program's report"

# Each command under USE FROM A SCRIPT, joined across its backslash lines.
section "USE FROM A SCRIPT" "EXIT STATUS" |
    awk '/^ *(\{ yes|printf) / { cmd = "" ; on = 1 }
         on { line = $0; sub(/^ +/, "", line); cont = sub(/\\$/, "", line); cmd = cmd line }
         on && !cont { print cmd; on = 0 }' >"$work/commands.txt"
(($(wc -l <"$work/commands.txt") == 2)) || { cat "$work/commands.txt"; fail "expected two script commands"; }
n=0
while IFS= read -r cmd; do
    n=$((n + 1))
    PATH="$(dirname "$binary"):$PATH" bash -c "$cmd" </dev/null >"$work/cmd$n.out" 2>"$work/cmd$n.err" ||
        fail "\"$cmd\" did not end with status 0: $(cat "$work/cmd$n.err")"
    [[ ! -s $work/cmd$n.err ]] || fail "\"$cmd\" wrote to standard error: $(cat "$work/cmd$n.err")"
done <"$work/commands.txt"
cmp -s "$work/cmd1.out" "$default_case/stdout" || fail "the first script command does not solve the default exercise"
grep -qx ' NO danger of collision,CPA=  2.8 > CPAmin=  1.5' "$work/cmd2.out" ||
    fail "the second script command does not give the no-danger report the page describes"
echo "man page: renders cleanly, example and script commands hold"
