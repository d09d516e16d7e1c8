#!/usr/bin/env bash
# Runs echo-track once on a transcript case and compares what it wrote and how
# it ended with what the case expects, byte for byte.
#
#   run_case.sh <echo-track binary> <case directory>
#
# A case directory holds:
#   input   the bytes typed at the program (its whole standard input)
#   args    (optional) the program's arguments, one per line
#   stdout  the exact expected standard output
#   stderr  the exact expected standard error
#   ending  "exit <status>" or "signal <name>", e.g. "exit 0", "signal SIGABRT"
#   signal  (optional) a signal name such as SIGINT: the input is typed, the
#           input is kept open, and once the expected standard output has
#           appeared the signal is sent to the waiting program.
set -uo pipefail

binary=$1
case_dir=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
ulimit -c 0  # no core files from the aborting cases

# A shell without job control starts background programs with interrupts
# ignored, and the program would keep them ignored; start it with the default.
args=()
[[ -f $case_dir/args ]] && mapfile -t args <"$case_dir/args"
run=(env --default-signal=INT "$binary" "${args[@]}")

if [[ -f $case_dir/signal ]]; then
    signal=$(<"$case_dir/signal")
    mkfifo "$work/stdin"
    "${run[@]}" <"$work/stdin" >"$work/stdout" 2>"$work/stderr" &
    pid=$!
    exec 3>"$work/stdin"
    cat "$case_dir/input" >&3
    for ((i = 0; i < 200; i++)); do  # up to 10 s for the prompt to appear
        cmp -s "$work/stdout" "$case_dir/stdout" && break
        sleep 0.05
    done
    sleep 0.2  # let it settle into the read
    kill -s "$signal" "$pid"
    { wait "$pid"; status=$?; } 2>/dev/null
    exec 3>&-
else
    # (the group's own stderr silences the shell's note on an aborted program)
    { "${run[@]}" <"$case_dir/input" >"$work/stdout" 2>"$work/stderr"; status=$?; } 2>/dev/null
fi

if ((status > 128)); then
    ending="signal SIG$(kill -l $((status - 128)))"
else
    ending="exit $status"
fi

failed=0
for stream in stdout stderr; do
    if ! cmp -s "$case_dir/$stream" "$work/$stream"; then
        echo "--- $stream differs (expected, then actual):"
        diff -u --label expected --label actual "$case_dir/$stream" "$work/$stream" | cat -A | head -200
        failed=1
    fi
done
expected_ending=$(<"$case_dir/ending")
if [[ $ending != "$expected_ending" ]]; then
    echo "--- ending differs: expected \"$expected_ending\", actual \"$ending\""
    failed=1
fi
exit $failed
