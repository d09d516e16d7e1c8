#!/usr/bin/env bash
# cpack builds a Debian package with sound metadata (dependencies that this
# system satisfies, wrapped description, root-owned files under /usr only), and
# the package's own binary, unpacked into a temporary root, solves the default
# exercise.
#
#   deb_package_test.sh <build dir> <source dir> <project version> <default exercise case>
set -euo pipefail
source "$(dirname "$0")/lib.sh"
build=$1 src=$2 version=$3 default_case=$4
require cpack dpkg dpkg-deb dpkg-query dpkg-shlibdeps file man
export LC_ALL=C.UTF-8
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; fail "cpack -G DEB failed"; }
arch=$(dpkg --print-architecture)
deb=$work/out/echo-track_${version}_$arch.deb
[[ -f $deb ]] || { ls "$work/out"; fail "no $(basename "$deb")"; }

field() { dpkg-deb --field "$deb" "$1"; }
[[ $(field Package) == echo-track ]] || fail "Package is $(field Package)"
[[ $(field Version) == "$version" ]] || fail "Version is $(field Version), not $version"
[[ $(field Architecture) == "$arch" ]] || fail "Architecture is $(field Architecture), not $arch"
[[ $(field Section) =~ ^(science|utils)$ ]] || fail "Section is $(field Section)"
[[ $(field Priority) == optional ]] || fail "Priority is $(field Priority)"
[[ $(field Maintainer) =~ ^[^\<]+\ \<[^@\>]+@[^\>]+\>$ ]] || fail "Maintainer \"$(field Maintainer)\" is not \"Name <address>\""
field Description >"$work/description"
(($(wc -l <"$work/description") > 1)) || fail "the Description has no long text"
awk 'length > 79 { exit 1 }' "$work/description" || fail "a Description line is 80 characters or longer"

# The dependencies are those of the binary: none for the static build, and
# for a shared one at least the C and C++ run-times; every one must be met here.
depends=$(field Depends 2>/dev/null || true)
dpkg-deb --fsys-tarfile "$deb" | tar -xOf - ./usr/bin/echo-track >"$work/echo-track.bin"
if file "$work/echo-track.bin" | grep -q 'static-pie linked\|statically linked'; then
    [[ -z $depends ]] || fail "the static binary needs nothing, yet Depends is \"$depends\""
else
    [[ $depends == *libc6* && $depends == *libstdc++6* ]] || fail "Depends \"$depends\" lacks libc6 or libstdc++6"
fi
IFS=, read -ra deps <<<"$depends"
for dep in "${deps[@]}"; do
    if [[ $dep =~ ^\ *([^ ]+)\ \(([<>=]+)\ ([^\)]+)\) ]]; then
        name=${BASH_REMATCH[1]} relation=${BASH_REMATCH[2]} wanted=${BASH_REMATCH[3]}
        have=$(dpkg-query -W -f='${Version}' "$name" 2>/dev/null) || fail "$name is not installed here"
        case $relation in '>=') op=ge ;; '>>') op=gt ;; '=') op=eq ;; '<=') op=le ;; '<<') op=lt ;; esac
        dpkg --compare-versions "$have" "$op" "$wanted" || fail "$name $have does not meet $relation $wanted"
    fi
done

dpkg-deb --contents "$deb" >"$work/contents"
for path in ./usr/bin/echo-track ./usr/share/man/man1/echo-track.1 ./usr/share/doc/echo-track/README.md; do
    grep -q " $path\$" "$work/contents" || fail "the package lacks $path"
done
awk '$2 != "root/root" { exit 1 }' "$work/contents" || fail "the package holds files not owned by root"
awk '$6 !~ /^\.\/(usr\/.*)?$/ { exit 1 }' "$work/contents" || fail "the package installs outside /usr"

dpkg -x "$deb" "$work/root"
file "$work/root/usr/bin/echo-track" | grep -q ', stripped' || fail "the packaged binary is not stripped"
bash "$src/tests/transcripts/run_case.sh" "$work/root/usr/bin/echo-track" "$default_case" ||
    fail "the packaged echo-track does not solve the default exercise"
man --warnings=w -l "$work/root/usr/share/man/man1/echo-track.1" >/dev/null 2>"$work/man.err"
[[ ! -s $work/man.err ]] || { cat "$work/man.err"; fail "the packaged manual page renders with warnings"; }
echo "deb: $(basename "$deb") built, metadata sound, unpacked binary solves the default exercise"
