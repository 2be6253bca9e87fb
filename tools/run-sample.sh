#!/bin/sh
# Starts Torvane on a freshly generated sample practice, with a data-path
# file that makes the file chooser open right in it. Without a display the
# terminal front end runs on the practice instead.
#
#   tools/run-sample.sh BUILD_DIR SAMPLE_DIR [PATIENTS]
set -eu

if [ $# -lt 2 ]; then
    echo "Aufruf: $0 BUILD_DIR SAMPLE_DIR [PATIENTEN]" >&2
    exit 2
fi
build=$1
patients=${3:-5000}
mkdir -p "$(dirname "$2")"
root=$(cd "$(dirname "$2")" && pwd)
sample="$root/$(basename "$2")"
# Stand-ins for the common application data folder and the temporary
# folder, so that nothing of the sample's runs lands outside the build tree.
config="$root/sample-config"
temp="$root/sample-temp"

# A run changes the practice's tables and leaves its working copies behind:
# every start begins from a fresh practice and an empty temporary folder.
rm -rf "$sample" "$temp"
"$build/sample/torvane-sample" --patients "$patients" --seed 1 --out "$sample"

mkdir -p "$config/Velmora_Patientendaten" "$temp"
# The data-path file holds the folder in the program's code page.
printf '"%s"\r\n' "$sample" | iconv -f UTF-8 -t WINDOWS-1252 >"$config/Velmora_Patientendaten/dbpfad.ini"

XDG_CONFIG_DIRS="$config${XDG_CONFIG_DIRS:+:$XDG_CONFIG_DIRS}"
TMPDIR=$temp
export XDG_CONFIG_DIRS TMPDIR

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Keine grafische Anzeige: torvane-cli arbeitet auf $sample/person.kvt" >&2
    exec "$build/cli/torvane-cli" "$sample/person.kvt"
fi
exec "$build/ui/Torvane"
