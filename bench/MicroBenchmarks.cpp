// Hot paths of a reorganisation: opening a table, positioning by key, and
// the field copy with cleaning.

#include "errors/ErrorReporter.h"
#include "reorg/FieldCopyPlan.h"
#include "resources/Templates.h"
#include "sample/SamplePractice.h"
#include "support/platform/MemEnv.h"
#include "tables/dbases.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

namespace torvane {
namespace {

class IgnoringReporter final : public ErrorReporter {
public:
    void ErrorFunction(const RunError&, const std::string&) override {}
};

// One generated practice in memory, shared by the benchmarks.
MemEnv& practice(int patients)
{
    static std::unique_ptr<MemEnv> env;
    static int generated = 0;
    if (!env || generated != patients) {
        env = std::make_unique<MemEnv>('/');
        env->createFolders("/p");
        sample::writeSamplePractice(*env, "/p/", {patients, 7, true});
        generated = patients;
    }
    return *env;
}

void BM_OpenTable(benchmark::State& state)
{
    MemEnv& env = practice(4000);
    dbases table(env);
    for (auto _ : state) {
        table.FileOpen("/p/kvxdat2.kvt");
        table.FileClose();
    }
}
BENCHMARK(BM_OpenTable);

void BM_PositionByKey(benchmark::State& state)
{
    MemEnv& env = practice(32767);
    dbases table(env);
    table.FileOpen("/p/kvxdat1.kvt");
    std::mt19937 random(1);
    std::uniform_int_distribution<std::int32_t> keys(1, 32767);
    table.firstRecordWithKey(1); // the index is built once per open table
    for (auto _ : state) {
        const std::int32_t record = table.firstRecordWithKey(keys(random));
        if (record > 0)
            table.Go(record);
        benchmark::DoNotOptimize(table.buffer().data());
    }
    table.FileClose();
}
BENCHMARK(BM_PositionByKey);

FieldLists::Table fieldList(dbases& table)
{
    FieldLists::Table list;
    for (int f = 1; f <= table.NoFields(); ++f) {
        FieldInfo& info = list[static_cast<std::size_t>(f)];
        table.hole_feldinfo(static_cast<std::uint8_t>(f), info.name, info.typ, info.laenge);
    }
    return list;
}

// With counts, as the run does when it writes its report.
void fieldCopy(benchmark::State& state, FieldCopyCounts* counts)
{
    MemEnv& env = practice(4000);
    env.putFile("/p/kvxdat1temp.kvt", std::string(templateBlob(102)));
    dbases main(env);
    dbases temp(env);
    main.FileOpen("/p/kvxdat1.kvt");
    temp.FileOpen("/p/kvxdat1temp.kvt");
    temp.Go(dbases::AppendRecord);
    FieldLists lists;
    lists.feldanzahl_main[2] = main.NoFields();
    lists.feldinfo_main[2] = fieldList(main);
    lists.feldinfo_temp[2] = fieldList(temp);
    const FieldCopyPlan plan(main, temp, lists, 2);
    IgnoringReporter errors;
    std::int32_t record = 0;
    for (auto _ : state) {
        main.Go(record % main.NoRecords() + 1);
        ++record;
        plan.apply(main, temp, errors, counts);
        benchmark::DoNotOptimize(temp.buffer().data());
    }
    state.SetBytesProcessed(state.iterations() * main.Recordlength());
}

void BM_FieldCopyWithCleaning(benchmark::State& state)
{
    fieldCopy(state, nullptr);
}
BENCHMARK(BM_FieldCopyWithCleaning);

void BM_FieldCopyWithCleaningCounted(benchmark::State& state)
{
    FieldCopyCounts counts;
    fieldCopy(state, &counts);
    benchmark::DoNotOptimize(counts.cleaned.data());
}
BENCHMARK(BM_FieldCopyWithCleaningCounted);

} // namespace
} // namespace torvane

BENCHMARK_MAIN();
