# Helpers shared by the distribution tests (sourced, not run).

ulimit -c 0  # a program that aborts in a test leaves no core file behind

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# A test that needs a tool must not pass quietly without it: scripts/setup
# installs every one of them.
require() {
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null || fail "$tool is missing (scripts/setup installs it)"
    done
}

# What a person at a terminal sees: the program's output with each typed line
# echoed where the program read it. It reads after every prompt line (ending in
# "Input="), at the RETURN pause, and once more after a no-danger report.
#   terminal_view <typed input file> <program output file>
terminal_view() {
    awk -v typed="$1" '
        { print }
        /Input=$/ || /<Hit RETURN to continue\.\.\.>$/ || (after_no_danger && /^ #+$/) {
            if ((getline line < typed) > 0) print line
        }
        { after_no_danger = /NO danger of collision/ }
    ' "$2"
}

# The fenced code block that follows the HTML comment <!-- name --> in a
# Markdown file, without its fences.
fenced_block_after() {
    awk -v mark="<!-- $1 -->" '
        $0 == mark { found = 1; next }
        found && /^```/ { if (inside) exit; inside = 1; next }
        inside { print }
    ' "$2"
}

# Compares two files line by line, trailing blanks ignored (editors and roff
# drop them; the transcript tests check the program's own bytes exactly).
same_text() {
    diff -u --label "$3" --label "$4" <(sed 's/[[:space:]]*$//' "$1") <(sed 's/[[:space:]]*$//' "$2")
}
