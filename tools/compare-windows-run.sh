#!/bin/sh
# compare-windows-run.sh NATIVE_BUILD WINDOWS_BUILD WINE_PREFIX WORK
#
# Runs torvane-cli natively and torvane-cli.exe under Wine on the same
# generated practices (every case of torvane-e2e write) and compares
# byte for byte what each left: the data folder with its output folder, the
# staging folder, templates, temp tables and error log in the temporary
# folder, the exit status and the console output. The data folder of every
# case is "Praxis Müller"; natively the temporary folder is one of the
# case's own, under Wine the one Windows names.
set -eu

absolute() { case $1 in /*) echo "$1" ;; *) echo "$PWD/$1" ;; esac; }
native_build=$(absolute "$1")
windows_build=$(absolute "$2")
prefix=$(absolute "$3")
work=$(absolute "$4")
tools=$(cd "$(dirname "$0")" && pwd)
e2e="$native_build/tests/torvane-e2e"
native_cli="$native_build/cli/torvane-cli"
windows_cli="$windows_build/torvane-cli.exe"
data="Praxis Müller"

for program in "$e2e" "$native_cli" "$windows_cli"; do
    if [ ! -x "$program" ]; then
        echo "Fehlt: $program (erst 'make test' oder den nativen und den Windows-Build bauen)" >&2
        exit 1
    fi
done

wine_run() { "$tools/wine-run.sh" "$prefix" "$@"; }
# A Linux path as a Windows program sees it on Wine's drive Z:.
windows_name() { printf 'Z:%s' "$1" | tr / '\\'; }

rm -rf "$work"
mkdir -p "$work"
"$e2e" write "$work/faelle"

# Wine's services, started with the first program of a session, must not
# hold on to the pipe of the query below.
wine_run cmd.exe /c exit </dev/null >/dev/null 2>&1
temp_name=$(wine_run cmd.exe /c echo %TEMP% </dev/null | tr -d '\r\n')
temp=$(WINEPREFIX=$prefix winepath -u "$temp_name" 2>/dev/null)
temp=${temp%/}

# One case: copies of the practice on both sides, then each run natively
# and under Wine with the same answer.
run_case() {
    name=$1
    native="$work/nativ/$name"
    windows="$work/windows/$name"
    rm -rf "$native" "$windows"
    mkdir -p "$native/$data" "$native/temp" "$native/konsole" "$windows/$data" "$windows/konsole"
    cp "$work/faelle/$name"/*.kvt "$native/$data/"
    cp "$work/faelle/$name"/*.kvt "$windows/$data/"
    rm -rf "$temp"/TEMP_REORG_EINGANG_* "$temp"/*template.kvt "$temp"/*temp.kvt "$temp/Errorlog.txt"
    run=0
    while read -r answer; do
        run=$((run + 1))
        status=0
        TMPDIR="$native/temp" "$native_cli" --confirm="$answer" "$native/$data/person.kvt" \
            </dev/null >"$native/konsole/$run.out" 2>"$native/konsole/$run.err" || status=$?
        echo "$status" >"$native/konsole/$run.status"
        status=0
        wine_run "$windows_cli" --confirm="$answer" "$(windows_name "$windows/$data/person.kvt")" \
            </dev/null >"$windows/konsole/$run.out" 2>"$windows/konsole/$run.err" || status=$?
        echo "$status" >"$windows/konsole/$run.status"
    done <"$work/faelle/$name/runs"
}

cases=0
different=0
for case in "$work"/faelle/*/; do
    name=$(basename "$case")
    # The folder names carry the day: a case that ran across midnight runs again.
    day=$(date +%m%d)
    run_case "$name"
    [ "$day" = "$(date +%m%d)" ] || run_case "$name"
    cases=$((cases + 1))
    "$e2e" compare "$work/nativ/$name" "$work/windows/$name" "$(windows_name "$work/windows/$name")" \
        "$temp" "$temp_name" || different=$((different + 1))
done

echo "$cases Fälle verglichen, $different mit Unterschieden"
[ "$different" -eq 0 ]
