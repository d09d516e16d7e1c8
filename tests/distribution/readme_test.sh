#!/usr/bin/env bash
# The README keeps its two commands near the top, and what it shows is true:
# the sample session is what a terminal shows for the default exercise, its
# script command solves that exercise and stops, and the project layout names
# folders that exist.
#
#   readme_test.sh <source dir> <echo-track binary> <default exercise case>
set -euo pipefail
source "$(dirname "$0")/lib.sh"
src=$1 binary=$2 default_case=$3
readme=$src/README.md
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for command in "bash scripts/run" "bash scripts/test"; do
    head -n 30 "$readme" | grep -qx "    $command" || fail "\"$command\" is not among the README's first lines"
    [[ -f $src/${command#bash } ]] || fail "${command#bash } is missing"
done

"$binary" <"$default_case/input" >"$work/out.txt" 2>/dev/null || fail "the default exercise did not stop with status 0"
terminal_view "$default_case/input" "$work/out.txt" >"$work/terminal.txt"

awk '{ print } /<Hit RETURN to continue\.\.\.>/ { exit }' "$work/terminal.txt" >"$work/first.txt"
fenced_block_after "sample session: first exercise" "$readme" >"$work/readme_first.txt"
same_text "$work/first.txt" "$work/readme_first.txt" terminal README ||
    fail "the README's first exercise differs from the program's"

result_line=$(grep -n 'ECHO-TRACK Result:' "$work/terminal.txt" | tail -n 1 | cut -d: -f1)
tail -n +"$result_line" "$work/terminal.txt" >"$work/stop.txt"
fenced_block_after "sample session: stop" "$readme" >"$work/readme_stop.txt"
same_text "$work/stop.txt" "$work/readme_stop.txt" terminal README ||
    fail "the README's end of the session differs from the program's"

cmd=$(fenced_block_after "script: default exercise" "$readme")
[[ $cmd == *build/tools/echo-track* ]] || fail "the script command does not run build/tools/echo-track"
(cd "$src" && bash -c "${cmd//build\/app\/echo-track/$binary}") </dev/null >"$work/script.out" 2>"$work/script.err" ||
    fail "the README's script command did not end with status 0: $(cat "$work/script.err")"
cmp -s "$work/script.out" "$default_case/stdout" || fail "the README's script command does not solve the default exercise"

folders=$(awk '/^<!-- project layout -->$/ { on = 1; next } on && !/^- / { exit } on' "$readme" |
    sed -n 's/^- `\([^`]*\)`.*/\1/p')
[[ -n $folders ]] || fail "no project layout list"
for folder in $folders; do
    [[ -e $src/$folder ]] || fail "the project layout names $folder, which does not exist"
done
echo "README: commands present, sample session, script and layout hold"
