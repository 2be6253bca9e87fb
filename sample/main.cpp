// torvane-sample: writes a realistic sample practice for trying and measuring.

#include "errors/RunError.h"
#include "platform/Console.h"
#include "platform/Cp1252.h"
#include "platform/Env.h"
#include "sample/SamplePractice.h"

#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

namespace {

int usage()
{
    torvane::consoleStream(torvane::StandardStream::Error)
        << "Aufruf: torvane-sample --patients N --out ORDNER [--seed S] [--no-kvxdat3]\n";
    return 2;
}

bool parseNumber(const std::string& text, long* out)
{
    char* end = nullptr;
    *out = std::strtol(text.c_str(), &end, 10);
    return end != text.c_str() && *end == '\0';
}

// Creates the folder and any missing parents.
void makeFolders(torvane::Env& env, const std::string& folder)
{
    for (std::size_t at = 1; at <= folder.size(); ++at) {
        if (at == folder.size() || folder[at] == env.separator()) {
            std::uint32_t attributes = 0;
            const std::string prefix = folder.substr(0, at);
            if (!env.attributes(prefix, &attributes).isOk())
                torvane::raiseIfFailed(env.makeFolder(prefix));
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args = torvane::commandLineArguments(argc, argv);
    torvane::sample::SampleOptions options;
    std::string out;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        long value = 0;
        if (arg == "--patients" && i + 1 < args.size() && parseNumber(args[++i], &value) && value >= 0) {
            options.patients = static_cast<int>(value);
        } else if (arg == "--seed" && i + 1 < args.size() && parseNumber(args[++i], &value)) {
            options.seed = static_cast<std::uint32_t>(value);
        } else if (arg == "--out" && i + 1 < args.size()) {
            out = args[++i];
        } else if (arg == "--no-kvxdat3") {
            options.withKvxdat3 = false;
        } else {
            return usage();
        }
    }
    if (out.empty())
        return usage();

    std::ostream& err = torvane::consoleStream(torvane::StandardStream::Error);
    std::string folder;
    if (!torvane::cp1252::fromUtf8(out, &folder)) {
        err << "Der Ordnername enthält Zeichen, die nicht darstellbar sind: " << out << "\n";
        return 1;
    }
    torvane::Env& env = torvane::Env::Default();
    while (folder.size() > 1 && folder.back() == env.separator())
        folder.pop_back();
    try {
        makeFolders(env, folder);
        torvane::sample::writeSamplePractice(env, folder + env.separator(), options);
    } catch (const torvane::RunError& error) {
        err << "Fehler " << error.number << ": " << torvane::cp1252::toUtf8(error.text) << "\n";
        return 1;
    }
    return 0;
}
