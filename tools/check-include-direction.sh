#!/bin/sh
# Layers only point down. Each folder may include itself and the layers to
# its left; folders of one layer do not include each other:
#
#   platform resources | errors | tables | files | dbset | reorg | desktop | cli ui win32 sample
#
# tests, bench and fuzz drive the whole program and may include anything.
# Prints every include that points up, with file and line, and fails then.
#
# Usage: tools/check-include-direction.sh [source folder]

cd "${1:-$(dirname "$0")/..}" || exit 2

checked=$(find platform resources errors tables files dbset reorg desktop cli ui win32 sample \
               -name '*.h' -o -name '*.cpp' | sort)

printf '%s\n' "$checked" | xargs grep -n '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' /dev/null | awk '
BEGIN {
    split("platform:0 resources:0 errors:1 tables:2 files:3 dbset:4 reorg:5 desktop:6 cli:7 ui:7 win32:7 sample:7", pairs, " ")
    for (i in pairs) {
        split(pairs[i], pair, ":")
        layer[pair[1]] = pair[2]
    }
    up = 0
}
{
    split($0, where, ":")
    file = where[1]
    line = where[2]
    from = substr(file, 1, index(file, "/") - 1)
    match($0, /"[^"]*"/)
    header = substr($0, RSTART + 1, RLENGTH - 2)
    slash = index(header, "/")
    if (slash == 0)
        next
    to = substr(header, 1, slash - 1)
    if (!(to in layer) || to == from)
        next
    if (layer[to] >= layer[from]) {
        printf "%s:%s: includes \"%s\": %s may not point at %s\n", file, line, header, from, to
        up++
    }
}
END {
    if (up > 0) {
        printf "%d include(s) pointing up\n", up
        exit 1
    }
}' || exit 1

echo "include direction: $(printf '%s\n' "$checked" | wc -l) files, no include points up"
