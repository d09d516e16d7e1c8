#!/usr/bin/env bash
# Generates a batch session and checks that the program runs it in step: one
# report per exercise, each outcome as often as the generator counted it, and
# an orderly stop (status 0, nothing on standard error) at the closing CPA of 0.
#
#   check_session.sh <bench_session> <echo-track> <exercises> <seed> [<session file> <output file>]
#
# The session and the program's output are kept in the files when given.
set -uo pipefail

generator=$1 binary=$2 exercises=$3 seed=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
session=${5:-$work/session.txt}
output=${6:-$work/output.txt}

fail() { echo "FAILED: $*" >&2; exit 1; }

"$generator" "$exercises" "$seed" >"$session" 2>"$work/counts" || fail "generator: $(cat "$work/counts")"
count_of() { awk -v name="$1" '$1 == name { print $2 }' "$work/counts"; }

"$binary" <"$session" >"$output" 2>"$work/errors"
status=$?
[[ $status -eq 0 ]] || fail "the run ended with status $status: $(head -c 300 "$work/errors")"
[[ ! -s $work/errors ]] || fail "the run wrote to standard error: $(head -c 300 "$work/errors")"

lines_of() { grep -c -F -x -- "$1" "$output"; }
starting_with() { grep -c -F -- "$1" "$output"; }
expect() { [[ $2 -eq $3 ]] || fail "$1: $2 in the output, $3 expected"; }
expect "reports" "$(lines_of ' OBSERVATION:')" "$exercises"
expect "pauses" "$(lines_of ' <Hit RETURN to continue...>')" "$exercises"
expect "no-danger reports" "$(starting_with ' NO danger of collision,CPA=')" "$(count_of no_danger)"
expect "too-close reports" "$(starting_with ' ??? ship B ist already too close')" "$(count_of too_close)"
expect "reports without a solution" "$(starting_with ' ??? B-1 and B-2 at the same time')" "$(count_of no_solution)"
expect "course rows" "$(starting_with ' StB  ===>  KA=')" "$(count_of courses)"
[[ $(tail -n 1 "$output") == "        [ Default: "*" ]    Input=" ]] || fail "the run did not stop at the CPA prompt"

# Report by report: the outcome and the own course, as the generator foresaw them.
awk 'NF == 2 && $1 ~ /^[CNTS]$/ { print $1, $2 }' "$work/counts" >"$work/expected"
awk '$1 == "OBSERVATION:" { outcome = "C" }
     $1 == "KA=" { ka = $2 }
     /^ NO danger of collision,CPA=/ { outcome = "N" }
     /^ \?\?\? ship B ist already too close/ { outcome = "T" }
     /^ \?\?\? B-1 and B-2 at the same time/ { outcome = "S" }
     $0 == " <Hit RETURN to continue...>" { print outcome, ka }' "$output" >"$work/shown"
cmp -s "$work/expected" "$work/shown" ||
    fail "report $(cmp "$work/expected" "$work/shown" | awk '{ print $NF }') differs from the generator's: $(diff "$work/expected" "$work/shown" | head -4 | tr '\n' ' ')"
echo "$exercises exercises in step:" $(grep -v '^ [CNTS] ' "$work/counts")
