#!/bin/sh
# Renders the pictures of ui/icons/*.svg into the Windows icon files of
# win32/icons/, with the sizes the windows need from 96 to 192 dpi. The .ico
# files are kept in the repository, so building needs neither tool.
# Needs rsvg-convert (librsvg2-bin) and ImageMagick's convert.
set -eu

cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# icon NAME SIZE...
icon() {
    name=$1
    shift
    pngs=
    for size in "$@"; do
        rsvg-convert -w "$size" -h "$size" "ui/icons/$name.svg" -o "$work/$name-$size.png"
        pngs="$pngs $work/$name-$size.png"
    done
    # shellcheck disable=SC2086
    /usr/bin/convert $pngs "win32/icons/$name.ico"
}

icon program 16 20 24 32 40 48 64 256
icon error 32 40 48 64
icon mail 16 20 24 32 48
