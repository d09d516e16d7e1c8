#!/usr/bin/env bash
# cmake --install into a fresh prefix gives every program with its manual page
# (compressed), and the README, licence and changelog, where a Linux user looks
# for them; the installed echo-track solves the default exercise exactly as the
# transcript expects.
#
#   install_test.sh <build dir> <source dir> <default exercise case>
set -euo pipefail
source "$(dirname "$0")/lib.sh"
build=$1 src=$2 default_case=$3
require cmake man
export LC_ALL=C.UTF-8
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >"$prefix/install.log" 2>&1 || { cat "$prefix/install.log"; fail "cmake --install failed"; }

[[ -x $prefix/bin/echo-track ]] || fail "bin/echo-track is not installed as an executable"
for program in "$prefix"/bin/*; do
    tool=${program##*/}
    zcat "$prefix/share/man/man1/$tool.1.gz" 2>/dev/null | cmp -s - "$src/man/$tool.1" ||
        fail "share/man/man1/$tool.1.gz is missing or not the source page man/$tool.1"
done
cmp -s "$prefix/share/doc/echo-track/README.md" "$src/README.md" || fail "share/doc/echo-track/README.md is missing or not the source README"
for file in copyright changelog.gz; do
    [[ -s $prefix/share/doc/echo-track/$file ]] || fail "share/doc/echo-track/$file is missing"
done

bash "$src/tests/transcripts/run_case.sh" "$prefix/bin/echo-track" "$default_case" ||
    fail "the installed echo-track does not solve the default exercise"

# man finds the page through the prefix, as it would under /usr/local.
MANPATH=$prefix/share/man man --warnings=w echo-track >"$prefix/page.txt" 2>"$prefix/man.err" ||
    fail "man echo-track finds no page under the prefix"
[[ ! -s $prefix/man.err ]] || { cat "$prefix/man.err"; fail "the installed manual page renders with warnings"; }
grep -q 'EXIT STATUS' "$prefix/page.txt" || fail "the installed manual page renders without its sections"
echo "install: binary, manual page and README in place; default exercise solved"
