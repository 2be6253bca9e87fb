#!/bin/sh
# win32-screenshots.sh WINDOWS_BUILD OUT
#
# Takes each window of Torvane.exe as a PNG in OUT, driven by keys the way
# a user would go: under Wine, in a Wine desktop on a virtual display, on
# sample practices. Needs xdotool, xwd (x11-apps) and ImageMagick.
set -eu

absolute() { case $1 in /*) echo "$1" ;; *) echo "$PWD/$1" ;; esac; }
build=$(absolute "$1")
out=$(absolute "$2")
tools=$(cd "$(dirname "$0")" && pwd)
if [ -z "${TORVANE_XVFB:-}" ] || [ "$TORVANE_XVFB" != "${DISPLAY:-}" ]; then
    exec "$tools/with-xvfb.sh" "$0" "$build" "$out"
fi

prefix=$build/wine-screens
work=$build/screens
"$tools/wine-gui-run.sh" "$prefix"
rm -rf "$work"
mkdir -p "$work" "$out"
windows_name() { printf 'Z:%s' "$1" | tr / '\\'; }
wine_run() { "$tools/wine-run.sh" "$prefix" "$@"; }

# A practice large enough that a run lasts a moment, and one whose patient
# table is not a table at all.
wine_run "$build/torvane-sample.exe" --patients 8000 --out "$(windows_name "$work/Praxis Müller")" >/dev/null
mkdir -p "$work/Praxis defekt"
cp "$work/Praxis Müller"/kvxdat*.kvt "$work/Praxis defekt/"
printf 'xxxxxxxxxxxxxxxxxxxx' >"$work/Praxis defekt/person.kvt"

# The chooser starts in the practice the data-path file names.
practice() {
    mkdir -p "$prefix/drive_c/ProgramData/Velmora_Patientendaten"
    printf '%s\r\n' "$(windows_name "$work/$1")" | iconv -f UTF-8 -t CP1252 \
        >"$prefix/drive_c/ProgramData/Velmora_Patientendaten/dbpfad.ini"
}

# The newest window with this caption, once it shows.
window() {
    tries=0
    until id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | tail -n 1) && [ -n "$id" ]; do
        tries=$((tries + 1))
        if [ $tries -gt 600 ]; then
            echo "Das Fenster \"$1\" erscheint nicht" >&2
            exit 1
        fi
        sleep 0.1
    done
    echo "$id"
}
shot() {
    id=$(window "$2")
    sleep 0.8
    xwd -id "$id" -silent | /usr/bin/convert xwd:- "$out/$1.png"
}
key() {
    xdotool key "$@"
    sleep 0.4
}
start() {
    wine_run "$build/Torvane.exe" &
    program=$!
    window Torvane >/dev/null
    # Keys go to the Wine desktop, which an ended program left without focus.
    xdotool search --name 'Wine desktop$' windowfocus
    sleep 0.5
}
# The patient table of the practice chosen, then "Start - Reorganisieren".
choose_and_start() {
    key space
    window 'Datenbank zur Reorganisation wählen' >/dev/null
    sleep 0.5
    xdotool type person.kvt
    key Return
    [ -z "${1:-}" ] || shot "$1" Torvane
    key Tab Tab Tab
    xdotool key space
}

practice 'Praxis Müller'
start
shot 01-start Torvane
key space
shot 02-chooser 'Datenbank zur Reorganisation wählen'
key Escape
shot 12-information-layout Information
key Return
wait $program || true

start
choose_and_start 03-folder-chosen
sleep 1
shot 04-during-run Torvane
shot 05-completion '...und fertig!'
key Return
shot 06-endhinweis Endhinweis
key space
shot 07-endhinweis-backup-chosen Endhinweis
key Down
shot 08-endhinweis-doubt-chosen Endhinweis
key Return
shot 09-kontrolliertes-ende 'Kontrolliertes Ende'
key Return
wait $program || true

practice 'Praxis defekt'
start
choose_and_start
shot 10-error-folded Fehler
key e
shot 11-error-unfolded Fehler
key alt+a
wait $program || true
WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
ls "$out"
