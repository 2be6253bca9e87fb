#!/usr/bin/env bash
# Times torvane-cli --confirm=backup on generated practices against copying
# the same four tables with cp, against the same run without its report
# (torvane-cli-ohne-bericht) and without its checks before the run and the
# copy-back (torvane-cli-ohne-pruefung), both built only for this, then runs
# the micro-benchmarks.
# Usage: bench/run-bench.sh BUILD_DIR
set -euo pipefail

build=${1:?build directory}
root=$(cd "$(dirname "$0")/.." && pwd)
work="$root/build/bench"
sample="$build/sample/torvane-sample"
cli="$build/cli/torvane-cli"
without_report="$build/bench/torvane-cli-ohne-bericht"
without_checks="$build/bench/torvane-cli-ohne-pruefung"
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

# One unattended run of program $1 on a fresh copy of practice $2: appends
# its seconds to the array named $3 and its peak memory (KiB) to the one named $4.
timed_run() {
    local program=$1 practice=$2 target="$work/data" temp="$work/tmp" start end
    local -n seconds=$3 kib=$4
    rm -rf "$target" "$temp" "$work/copy"; sync
    mkdir -p "$target" "$temp"
    cp "$practice"/*.kvt "$target"/
    warm "$practice"; warm "$target"; settle
    start=$(now)
    TMPDIR="$temp" /usr/bin/time -f '%M' -o "$work/rss" "$program" --confirm=backup "$target/person.kvt" \
        < /dev/null > /dev/null 2> /dev/null
    end=$(now)
    seconds+=("$(echo "$end - $start" | bc -l)")
    kib+=("$(cat "$work/rss")")
}

printf '%-9s %12s %9s %9s %9s %9s %9s %9s %14s %10s %10s\n' patients bytes run_s bare_s report unchk_s \
    checks copy_s 'run/(4*copy)' peak_MB bare_MB
declare -A run_median
for n in "${sizes[@]}"; do
    practice="$work/practice-$n"
    rm -rf "$practice"
    "$sample" --patients "$n" --seed 20261205 --out "$practice"
    bytes=$(cat "$practice"/*.kvt | wc -c)
    runs=() bares=() unchecked=() copies=() peaks=() barePeaks=() uncheckedPeaks=()
    for ((i = 0; i < repeats; i++)); do
        # Rotating which goes first evens out what one run leaves the next.
        case $((i % 3)) in
        0)
            timed_run "$cli" "$practice" runs peaks
            timed_run "$without_report" "$practice" bares barePeaks
            timed_run "$without_checks" "$practice" unchecked uncheckedPeaks ;;
        1)
            timed_run "$without_report" "$practice" bares barePeaks
            timed_run "$without_checks" "$practice" unchecked uncheckedPeaks
            timed_run "$cli" "$practice" runs peaks ;;
        2)
            timed_run "$without_checks" "$practice" unchecked uncheckedPeaks
            timed_run "$cli" "$practice" runs peaks
            timed_run "$without_report" "$practice" bares barePeaks ;;
        esac

        copy="$work/copy"
        rm -rf "$copy"; mkdir -p "$copy"; settle
        start=$(now)
        cp "$practice"/*.kvt "$copy"/
        end=$(now)
        copies+=("$(echo "$end - $start" | bc -l)")
    done
    # Each repeat runs all three back to back: the median of their ratios is
    # steadier than the ratio of the medians when the machine is busy.
    ratios=() checkRatios=()
    for ((i = 0; i < repeats; i++)); do
        ratios+=("$(echo "${runs[i]} / ${bares[i]}" | bc -l)")
        checkRatios+=("$(echo "${runs[i]} / ${unchecked[i]}" | bc -l)")
    done
    run=$(median "${runs[@]}")
    bare=$(median "${bares[@]}")
    unchecked_median=$(median "${unchecked[@]}")
    copy=$(median "${copies[@]}")
    peak=$(median "${peaks[@]}")
    barePeak=$(median "${barePeaks[@]}")
    run_median[$n]=$run
    printf '%-9s %12s %9.3f %9.3f %+8.1f%% %9.3f %+8.1f%% %9.3f %14.2f %10.1f %10.1f\n' "$n" "$bytes" "$run" "$bare" \
        "$(echo "($(median "${ratios[@]}") - 1) * 100" | bc -l)" "$unchecked_median" \
        "$(echo "($(median "${checkRatios[@]}") - 1) * 100" | bc -l)" "$copy" "$(echo "$run / (4 * $copy)" | bc -l)" \
        "$(echo "$peak / 1024" | bc -l)" "$(echo "$barePeak / 1024" | bc -l)"
done
rm -rf "$work/data" "$work/tmp" "$work/copy"
printf '\nrun 32767 / run 16000: %.2f\n\n' "$(echo "${run_median[32767]} / ${run_median[16000]}" | bc -l)"

"$build/bench/torvane-microbench" --benchmark_min_time=0.2
