#!/usr/bin/env bash
# Writes the package's changelog, compressed as Debian wants it (gzip -9n),
# from CHANGELOG.md. Refuses when the newest release there is not the
# project version.
#
#   debian_changelog.sh <CHANGELOG.md> <package> <maintainer> <project version> <output .gz>
set -euo pipefail
changelog=$1 package=$2 maintainer=$3 version=$4 output=$5

newest=$(sed -n 's/^## \([^ ]*\) .*/\1/p' "$changelog" | head -n 1)
if [[ $newest != "$version" ]]; then
    echo "$changelog: newest release is \"$newest\", the project version is $version" >&2
    exit 1
fi

# One entry per release: its items as "  * " lines, continuation lines
# indented under them, and the trailer with the release date at noon UTC.
entries() {
    local release='' date=''
    while IFS= read -r line; do
        if [[ $line =~ ^##\ ([^ ]+)\ \(([0-9]{4}-[0-9]{2}-[0-9]{2})\)$ ]]; then
            [[ -z $release ]] || trailer "$date"
            release=${BASH_REMATCH[1]} date=${BASH_REMATCH[2]}
            printf '%s (%s) unstable; urgency=medium\n\n' "$package" "$release"
        elif [[ -n $release && $line == '- '* ]]; then
            printf '  * %s\n' "${line#- }"
        elif [[ -n $release && $line == '  '* ]]; then
            printf '    %s\n' "${line#  }"
        fi
    done <"$changelog"
    [[ -z $release ]] || trailer "$date"
}
trailer() {
    printf '\n -- %s  %s\n\n' "$maintainer" "$(LC_ALL=C date -u -R -d "$1 12:00")"
}

entries | sed '$d' | gzip -9n >"$output.tmp"
mv "$output.tmp" "$output"
