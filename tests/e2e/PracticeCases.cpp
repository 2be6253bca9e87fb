#include "e2e/PracticeCases.h"

#include "support/platform/MemEnv.h"
#include "resources/Templates.h"
#include "sample/SamplePractice.h"
#include "support/RandomPractice.h"

#include <fstream>
#include <string>
#include <vector>

namespace torvane::e2e {
namespace {

void writeCase(const std::filesystem::path& folder, const testsupport::PracticeFiles& files,
               const std::vector<std::string>& runs)
{
    std::filesystem::create_directories(folder);
    for (std::size_t k = 0; k < files.size(); ++k) {
        if (files[k])
            std::ofstream(folder / (std::string(TableNames[k].base) + ".kvt"), std::ios::binary) << *files[k];
    }
    std::ofstream answers(folder / "runs");
    for (const std::string& run : runs)
        answers << run << '\n';
}

testsupport::PracticeFiles samplePractice(const sample::SampleOptions& options)
{
    MemEnv memory('/');
    memory.createFolders("/p");
    sample::writeSamplePractice(memory, "/p/", options);
    testsupport::PracticeFiles files;
    for (std::size_t k = 0; k < files.size(); ++k)
        files[k] = memory.fileBytes("/p/" + std::string(TableNames[k].base) + ".kvt");
    return files;
}

} // namespace

void writePracticeCases(const std::filesystem::path& folder)
{
    struct Sample {
        const char* name;
        sample::SampleOptions options;
        std::vector<std::string> runs;
    };
    const std::vector<Sample> samples{
        {"beispiel-1", {250, 1, true}, {"backup"}},
        {"beispiel-2024", {250, 2024, true}, {"backup"}},
        {"beispiel-42-ohne-kvxdat3", {250, 42, false}, {"backup"}},
        {"beispiel-11-zwei-laeufe", {80, 11, true}, {"backup", "doubt"}},
        {"beispiel-7-zweifel", {120, 7, false}, {"doubt"}},
        {"ein-patient", {1, 3, true}, {"backup"}},
        {"kein-patient", {0, 3, true}, {"backup"}},
    };
    for (const Sample& s : samples)
        writeCase(folder / s.name, samplePractice(s.options), s.runs);
    // A table that ends inside its header: reported, logged, and nothing copied back.
    testsupport::PracticeFiles broken = samplePractice({60, 5, true});
    broken[2]->resize(100);
    writeCase(folder / "kaputte-tabelle", broken, {"backup"});
    for (std::uint32_t seed = 1; seed <= 40; ++seed) {
        const std::string name = (seed < 10 ? "zufall-0" : "zufall-") + std::to_string(seed);
        writeCase(folder / name, testsupport::randomPractice(seed), {seed % 2 == 0 ? "backup" : "doubt"});
    }
}

} // namespace torvane::e2e
