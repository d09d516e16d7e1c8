#!/usr/bin/env bash
# cpack builds a Debian package with sound metadata (dependencies read off the
# binaries and met by this system, wrapped description, root-owned files under
# /usr only) that lintian passes without an error or a warning. Unpacked into a
# temporary root: every program answers --version with the project version and
# has a manual page compressed as gzip -9n that renders without warnings and
# names every option of its --help; the changelog is the project version's;
# the README's pictures are beside it; echo-track solves the default exercise.
#
#   deb_package_test.sh <build dir> <source dir> <project version> <default exercise case>
set -euo pipefail
source "$(dirname "$0")/lib.sh"
build=$1 src=$2 version=$3 default_case=$4
require cpack dpkg dpkg-deb dpkg-query dpkg-shlibdeps dpkg-parsechangelog file man objdump ldd lintian
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

depends=$(field Depends 2>/dev/null || true)
IFS=, read -ra deps <<<"$depends"
for dep in "${deps[@]}"; do
    if [[ $dep =~ ^\ *([^ ]+)\ \(([<>=]+)\ ([^\)]+)\) ]]; then
        name=${BASH_REMATCH[1]} relation=${BASH_REMATCH[2]} wanted=${BASH_REMATCH[3]}
        have=$(dpkg-query -W -f='${Version}' "$name" 2>/dev/null) || fail "$name is not installed here"
        case $relation in '>=') op=ge ;; '>>') op=gt ;; '=') op=eq ;; '<=') op=le ;; '<<') op=lt ;; esac
        dpkg --compare-versions "$have" "$op" "$wanted" || fail "$name $have does not meet $relation $wanted"
    fi
done

depended=" $(sed 's/([^)]*)//g; s/[,|]/ /g' <<<"$depends") "  # the package names alone

dpkg-deb --contents "$deb" >"$work/contents"
for path in ./usr/share/doc/echo-track/README.md ./usr/share/doc/echo-track/copyright ./usr/share/doc/echo-track/changelog.gz; do
    grep -q " $path\$" "$work/contents" || fail "the package lacks $path"
done
awk '$2 != "root/root" { exit 1 }' "$work/contents" || fail "the package holds files not owned by root"
awk '$6 !~ /^\.\/(usr\/.*)?$/ { exit 1 }' "$work/contents" || fail "the package installs outside /usr"

dpkg -x "$deb" "$work/root"
doc=$work/root/usr/share/doc/echo-track
shopt -s nullglob
programs=("$work"/root/usr/bin/*)
[[ " ${programs[*]##*/} " == *" echo-track "* ]] || fail "the package lacks usr/bin/echo-track"
for program in "${programs[@]}"; do
    tool=${program##*/}
    file "$program" | grep -q ', stripped' || fail "the packaged $tool is not stripped"
    [[ $("$program" --version) == "$tool $version" ]] || fail "$tool --version does not say \"$tool $version\""

    # Every shared library it needs comes from a package that Depends names.
    for soname in $(objdump -p "$program" | awk '$1 == "NEEDED" { print $2 }'); do
        path=$(ldd "$program" | awk -v s="$soname" '$1 == s { print $3 }')
        [[ -n $path ]] || fail "$tool needs $soname, which is not found here"
        # (with /lib merged into /usr/lib, dpkg knows each library by one of its two paths)
        owner=$({ dpkg -S "$path" || dpkg -S "/usr${path#/usr}" || dpkg -S "${path#/usr}"; } 2>/dev/null | head -n 1)
        [[ -n $owner ]] || fail "no package holds $path"
        owner=${owner%%:*}
        [[ $depended == *" $owner "* ]] || fail "$tool needs $soname from $owner, which Depends \"$depends\" lacks"
    done

    page=$work/root/usr/share/man/man1/$tool.1.gz
    [[ -f $page ]] || fail "$tool has no manual page usr/share/man/man1/$tool.1.gz"
    zcat "$page" | gzip -9n | cmp -s - "$page" || fail "the manual page of $tool is not compressed as gzip -9n"
    zcat "$page" | grep -q "^\.TH .* \"echo\\\\-track $version\"" || fail "the manual page of $tool does not name version $version"
    man --warnings=w -l "$page" >"$work/page.txt" 2>"$work/man.err"
    [[ ! -s $work/man.err ]] || { cat "$work/man.err"; fail "the manual page of $tool renders with warnings"; }
    for option in $("$program" --help | grep -o -- '--[a-z][a-z0-9-]*' | sort -u); do
        grep -q -- "$option" "$work/page.txt" || fail "the manual page of $tool does not describe $option"
    done
done

zcat "$doc/changelog.gz" >"$work/changelog"
[[ $(dpkg-parsechangelog -l "$work/changelog" -S Version) == "$version" ]] ||
    fail "the changelog's newest version is not $version"
for picture in $(grep -o '](\([A-Za-z0-9_./-]*\))' "$doc/README.md" | sed 's/^](\(.*\))$/\1/' | grep -v '^#'); do
    [[ -f $doc/$picture ]] || fail "the installed README links $picture, which is not installed beside it"
done

bash "$src/tests/transcripts/run_case.sh" "$work/root/usr/bin/echo-track" "$default_case" ||
    fail "the packaged echo-track does not solve the default exercise"

lintian --fail-on error,warning "$deb" >"$work/lintian.txt" 2>&1 && ! grep -q '^[EW]: ' "$work/lintian.txt" ||
    { cat "$work/lintian.txt"; fail "lintian reports errors or warnings"; }
echo "deb: $(basename "$deb") built, metadata sound, ${#programs[@]} programs with their manual pages, lintian clean"
