#!/bin/sh
# check-windows-setup.sh PREFIX SETUP SAMPLE WORK
#
# Installs Torvane silently with the setup program SETUP under Wine in the
# prefix PREFIX, reorganises a sample practice (made by SAMPLE, i.e.
# torvane-sample.exe) with the installed torvane-cli.exe, and uninstalls
# silently. Passes when the setup put the programs, the Start-menu entry
# and the uninstaller in place and the uninstaller took away all of it,
# leaving the prefix's C: drive and registry as they were, while the
# practice keeps its reorganised tables and the output folder.
set -u

absolute() { case $1 in /*) echo "$1" ;; *) echo "$PWD/$1" ;; esac; }
prefix=$(absolute "$1")
setup=$(absolute "$2")
sample=$(absolute "$3")
work=$(absolute "$4")
tools=$(cd "$(dirname "$0")" && pwd)
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Torvane'

failures=0
fail() {
    echo "FEHLER: $*" >&2
    failures=$((failures + 1))
}
wine_run() { "$tools/wine-run.sh" "$prefix" "$@"; }
# Until every program of the prefix has ended: the uninstaller runs on
# from a copy of itself after the one started has returned.
settle() { WINEPREFIX=$prefix wineserver -w; }

# The C: drive as files and folders, without the temporary folders, which
# the programs' work fills and nobody clears.
drive() { (cd "$prefix/drive_c" && find . -path '*/Temp' -prune -o -print | LC_ALL=C sort); }
uninstall_entry() { wine_run reg query "$key" /reg:64 >/dev/null 2>&1; }

rm -rf "$work"
mkdir -p "$work"
wine_run
settle
drive >"$work/before"

wine_run "$setup" /S || fail "die Installation endet mit Status $?"
settle
program_files=$(WINEPREFIX=$prefix winepath -u 'C:\Program Files\Torvane' 2>/dev/null)
for file in Torvane.exe torvane-cli.exe Uninstall.exe; do
    [ -f "$program_files/$file" ] || fail "$file fehlt nach der Installation"
done
[ -f "$prefix/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Torvane.lnk" ] ||
    fail "der Eintrag im Startmenü fehlt"
uninstall_entry || fail "der Eintrag zum Deinstallieren fehlt"

# A practice on drive Z:, reorganised and copied back by the installed program.
practice="$work/Praxis Müller"
wine_run "$sample" --patients 200 --out "Z:$(echo "$practice" | tr / '\\')" >/dev/null ||
    fail "die Beispielpraxis entsteht nicht"
cp "$practice/person.kvt" "$work/person.before"
wine_run 'C:\Program Files\Torvane\torvane-cli.exe' --confirm=backup \
    "Z:$(echo "$practice/person.kvt" | tr / '\\')" </dev/null >"$work/cli.out" 2>&1 ||
    fail "torvane-cli.exe endet mit Status $?: $(cat "$work/cli.out")"
ls -d "$practice"/REORG_AUSGANG_* >/dev/null 2>&1 || fail "kein Ausgabeordner in der Praxis"
cmp -s "$practice/person.kvt" "$work/person.before" && fail "person.kvt wurde nicht zurückkopiert"

wine_run 'C:\Program Files\Torvane\Uninstall.exe' /S || fail "die Deinstallation endet mit Status $?"
settle
settle
drive >"$work/after"
if ! diff "$work/before" "$work/after" >"$work/left"; then
    fail "nach der Deinstallation anders als vorher:"
    cat "$work/left" >&2
fi
uninstall_entry && fail "der Eintrag zum Deinstallieren bleibt"
for table in person kvxdat1 kvxdat2 kvxdat3; do
    [ -f "$practice/$table.kvt" ] || fail "$table.kvt fehlt in der Praxis"
done
ls -d "$practice"/REORG_AUSGANG_* >/dev/null 2>&1 || fail "der Ausgabeordner fehlt in der Praxis"

[ $failures -eq 0 ] && echo "Installation, Lauf und Deinstallation in Ordnung"
[ $failures -eq 0 ]
