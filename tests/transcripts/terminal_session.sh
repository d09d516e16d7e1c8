#!/usr/bin/env bash
# Types at echo-track through a terminal, as a person would: each answer is
# typed only once its prompt is on the screen. A prompt held back in an output
# buffer while the program waits would never appear, and the test times out.
#
#   terminal_session.sh <echo-track binary>
set -uo pipefail

binary=$1
command -v tmux >/dev/null || { echo "tmux is not installed: skipped"; exit 77; }

work=$(mktemp -d)
socket=$work/tmux.socket
# The shell that starts the program must be bash: it waits out the program's
# own handling of Ctrl-C and then writes down its exit status (dash would die
# of the interrupt itself).
printf 'set -g default-shell /bin/bash\n' >"$work/tmux.conf"
tmx() { tmux -S "$socket" -f "$work/tmux.conf" "$@"; }
trap 'tmx kill-server 2>/dev/null; rm -rf "$work"' EXIT

fail() {
    echo "FAILED: $*"
    echo "--- screen and history:"
    tmx capture-pane -p -J -S - -t "$session" 2>/dev/null | cat -A | tail -40
    exit 1
}

screen() { tmx capture-pane -p -J -S - -t "$session"; }
prompts_shown() { screen | grep -c 'Input=$'; }
last_line() { screen | grep -v '^ *$' | tail -n 1; }

# Waits up to 10 s for `condition` (a command) to hold.
wait_until() {
    for ((i = 0; i < 200; i++)); do
        "$@" && return 0
        sleep 0.05
    done
    return 1
}
nth_prompt_waiting() { [[ $(prompts_shown) -eq $1 && $(last_line) == *"Input=" ]]; }
text_shown() { screen | grep -qF -- "$1"; }
# The program has ended and its exit status is known. tmux itself sometimes
# marks a pane dead without ever learning the status, so the shell that
# started the program writes it down.
pane_dead() { [[ -s $work/$session.status ]]; }

# Starts the program in a fresh detached terminal of 100 x 50 characters.
start() {
    session=$1
    tmx new-session -d -x 100 -y 50 -s "$session" \
        "env --default-signal=INT '$binary'; echo \$? >'$work/$session.status'" ||
        fail "cannot start tmux"
    tmx set-option -t "$session" remain-on-exit on >/dev/null
}

# Types `answer` and RETURN at prompt number `n` once it is on the screen.
answer_prompt() {
    local n=$1 answer=$2
    wait_until nth_prompt_waiting "$n" || fail "prompt $n is not on the screen"
    [[ -n $answer ]] && tmx send-keys -t "$session" -l -- "$answer"
    tmx send-keys -t "$session" Enter
}

exit_status() { cat "$work/$session.status"; }

# First exercise with RETURN everywhere, RETURN at the pause, then a second
# exercise with an own course of 370 and a minimal CPA of 0, which ends the run.
start exercise
for n in $(seq 1 10); do answer_prompt "$n" ""; done
wait_until text_shown "<Hit RETURN to continue...>" || fail "the pause is not on the screen"
text_shown " StB  ===>  KA=  53. resp.  181." || fail "the default exercise was not solved"
tmx send-keys -t exercise Enter
answer_prompt 11 370
for n in $(seq 12 18); do answer_prompt "$n" ""; done
answer_prompt 19 0
wait_until pane_dead || fail "the run did not end at a minimal CPA of 0"
[[ $(exit_status) == 0 ]] || fail "exit status $(exit_status) instead of 0"
[[ $(screen | grep -c 'Input=$') -eq 19 ]] || fail "a prompt followed the minimal CPA of 0"

# Ctrl-C while the program waits at a prompt.
start interrupt
answer_prompt 1 45
wait_until nth_prompt_waiting 2 || fail "the speed prompt is not on the screen"
tmx send-keys -t interrupt C-c
wait_until pane_dead || fail "the run did not end on Ctrl-C"
[[ $(exit_status) == 1 ]] || fail "exit status $(exit_status) instead of 1 after Ctrl-C"
text_shown "Interrupt" || fail "no \"Interrupt\" after Ctrl-C"

echo "terminal session passed"
