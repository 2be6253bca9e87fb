#!/bin/sh
# check-windows-console.sh WINE_PREFIX TORVANE_CLI_EXE
#
# Runs torvane-cli.exe --help under Wine in a console (a pseudo terminal,
# which Wine turns into a Windows console) and checks that its umlauts
# arrive as characters. Bytes written to a console untranslated would be
# read in the console's code page and come out as other characters.
set -eu

tools=$(cd "$(dirname "$0")" && pwd)
shown=$(script -qec "'$tools/wine-run.sh' '$1' '$2' --help" /dev/null </dev/null)
case $shown in
*"erhält genau eine Zeile"*"C:\\Praxis\\Daten\\person.kvt"*) exit 0 ;;
*)
    echo "Die Hilfe erscheint in der Konsole nicht richtig:" >&2
    printf '%s\n' "$shown" >&2
    exit 1
    ;;
esac
