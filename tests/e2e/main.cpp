// torvane-e2e: the practices and the comparison of the test that runs
// torvane-cli natively and under Wine on the same input.
//
//   torvane-e2e write FOLDER
//   torvane-e2e compare NATIVE_RUN WINDOWS_RUN WINDOWS_RUN_NAME WINDOWS_TEMP WINDOWS_TEMP_NAME
//
// A run folder holds the data folder "Praxis Müller", the folder "konsole"
// with the console output of each run and, natively, the temporary folder
// "temp". The Windows names are the folders as Windows programs see them.

#include "e2e/PracticeCases.h"
#include "e2e/RunComparison.h"

#include <iostream>
#include <string>

namespace {

constexpr const char* DataFolder = "Praxis M\xC3\xBCller";

int compare(char** argv)
{
    const std::filesystem::path native = argv[0];
    const std::filesystem::path windows = argv[1];
    const torvane::e2e::RunRecord nativeRecord{native / DataFolder,        native / "temp",
                                               native / "konsole",         (native / DataFolder).string(),
                                               (native / "temp").string(), '/'};
    const torvane::e2e::RunRecord windowsRecord{
        windows / DataFolder, argv[3], windows / "konsole", std::string(argv[2]) + "\\" + DataFolder, argv[4], '\\'};
    const std::vector<std::string> differences = torvane::e2e::runDifferences(nativeRecord, windowsRecord);
    for (const std::string& difference : differences)
        std::cout << windows.filename().string() << ": " << difference << "\n";
    return differences.empty() ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "write" && argc == 3) {
        torvane::e2e::writePracticeCases(argv[2]);
        return 0;
    }
    if (command == "compare" && argc == 7)
        return compare(argv + 2);
    std::cerr << "Aufruf: torvane-e2e write ORDNER\n"
                 "       torvane-e2e compare NATIV WINDOWS WINDOWS_NAME WINDOWS_TEMP WINDOWS_TEMP_NAME\n";
    return 2;
}
