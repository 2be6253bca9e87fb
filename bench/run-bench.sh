#!/usr/bin/env bash
# Times torvane-cli --confirm=backup on generated practices against copying
# the same four tables with cp, then runs the micro-benchmarks.
# Usage: bench/run-bench.sh BUILD_DIR
set -euo pipefail

build=${1:?build directory}
root=$(cd "$(dirname "$0")/.." && pwd)
work="$root/build/bench"
sample="$build/sample/torvane-sample"
cli="$build/cli/torvane-cli"
sizes=(1000 4000 16000 32767)
repeats=3

mkdir -p "$work"

now() { date +%s.%N; }
median() { printf '%s\n' "$@" | sort -g | sed -n "$(( ($# + 1) / 2 ))p"; }
warm() { cat "$1"/*.kvt > /dev/null; }
# Both timings start with nothing left to write back from the step before:
# on a file system mounted with online discard, deletes and write-back of
# the previous step otherwise land in the next measurement.
settle() { sync; sleep 1; }

printf '%-9s %12s %9s %9s %14s %10s\n' patients bytes run_s copy_s 'run/(4*copy)' peak_MB
declare -A run_median
for n in "${sizes[@]}"; do
    practice="$work/practice-$n"
    rm -rf "$practice"
    "$sample" --patients "$n" --seed 20261205 --out "$practice"
    bytes=$(cat "$practice"/*.kvt | wc -c)
    runs=() copies=() peaks=()
    for ((i = 0; i < repeats; i++)); do
        target="$work/data"; temp="$work/tmp"
        rm -rf "$target" "$temp" "$work/copy"; sync
        mkdir -p "$target" "$temp"
        cp "$practice"/*.kvt "$target"/
        warm "$practice"; warm "$target"; settle
        start=$(now)
        TMPDIR="$temp" /usr/bin/time -f '%M' -o "$work/rss" "$cli" --confirm=backup "$target/person.kvt" \
            < /dev/null > /dev/null
        end=$(now)
        runs+=("$(echo "$end - $start" | bc -l)")
        peaks+=("$(cat "$work/rss")")

        copy="$work/copy"
        rm -rf "$copy"; mkdir -p "$copy"; settle
        start=$(now)
        cp "$practice"/*.kvt "$copy"/
        end=$(now)
        copies+=("$(echo "$end - $start" | bc -l)")
    done
    run=$(median "${runs[@]}")
    copy=$(median "${copies[@]}")
    peak=$(median "${peaks[@]}")
    run_median[$n]=$run
    printf '%-9s %12s %9.3f %9.3f %14.2f %10.1f\n' "$n" "$bytes" "$run" "$copy" \
        "$(echo "$run / (4 * $copy)" | bc -l)" "$(echo "$peak / 1024" | bc -l)"
done
rm -rf "$work/data" "$work/tmp" "$work/copy"
printf '\nrun 32767 / run 16000: %.2f\n\n' "$(echo "${run_median[32767]} / ${run_median[16000]}" | bc -l)"

"$build/bench/torvane-microbench" --benchmark_min_time=0.2
