#!/usr/bin/env bash
# Runs each fuzz target for SECONDS on a seed corpus: the four empty
# templates and the tables of small practices generated here. Inputs that
# find new paths collect in BUILD_DIR/fuzz-corpus/<target>; a crash, a
# sanitizer report or a time-out leaves its input in BUILD_DIR/fuzz-findings
# and makes the script fail.
set -euo pipefail

if [ $# -ne 2 ]; then
    echo "usage: $0 BUILD_DIR SECONDS" >&2
    exit 2
fi
build=$(cd "$1" && pwd)
seconds=$2
source_dir=$(cd "$(dirname "$0")/.." && pwd)

seeds="$build/fuzz-seeds"
rm -rf "$seeds"
mkdir -p "$seeds/tables" "$seeds/person" "$build/fuzz-findings"
cp "$source_dir"/resources/*.kvt "$seeds/tables/"
cp "$source_dir/resources/person.kvt" "$seeds/person/template-person.kvt"
for patients in 2 5; do
    practice="$seeds/practice-$patients"
    "$build/sample/torvane-sample" --patients "$patients" --seed "$patients" --out "$practice" > /dev/null
    for table in "$practice"/*.kvt; do
        cp "$table" "$seeds/tables/practice-$patients-$(basename "$table")"
    done
    cp "$practice/person.kvt" "$seeds/person/practice-$patients-person.kvt"
done

status=0
summary=""
run() {
    local target=$1 seed_dir=$2
    local corpus="$build/fuzz-corpus/$target" log="$build/fuzz-findings/$target.log"
    mkdir -p "$corpus"
    if "$build/fuzz/$target" "$corpus" "$seed_dir" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -max_len=16384 -print_final_stats=1 -artifact_prefix="$build/fuzz-findings/$target-" > "$log" 2>&1; then
        result="no findings"
    else
        result="FINDING, see $log"
        status=1
    fi
    local runs
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    summary+="$target: ${runs:-?} executions in ${seconds} s, $result"$'\n'
}
run table_reader_fuzzer "$seeds/tables"
run record_transfer_fuzzer "$seeds/person"
printf '%s' "$summary"
exit $status
