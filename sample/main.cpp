// torvane-sample: writes a realistic sample practice for trying and measuring.

#include "errors/RunError.h"
#include "platform/Cp1252.h"
#include "platform/PosixEnv.h"
#include "sample/SamplePractice.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

int usage()
{
    std::fprintf(stderr, "Aufruf: torvane-sample --patients N --out ORDNER [--seed S] [--no-kvxdat3]\n");
    return 2;
}

bool parseNumber(const char* text, long* out)
{
    char* end = nullptr;
    *out = std::strtol(text, &end, 10);
    return end != text && *end == '\0';
}

// Creates the folder and any missing parents.
void makeFolders(torvane::Env& env, const std::string& folder)
{
    for (std::size_t at = 1; at <= folder.size(); ++at) {
        if (at == folder.size() || folder[at] == '/') {
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
    torvane::sample::SampleOptions options;
    std::string out;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        long value = 0;
        if (arg == "--patients" && i + 1 < argc && parseNumber(argv[++i], &value) && value >= 0) {
            options.patients = static_cast<int>(value);
        } else if (arg == "--seed" && i + 1 < argc && parseNumber(argv[++i], &value)) {
            options.seed = static_cast<std::uint32_t>(value);
        } else if (arg == "--out" && i + 1 < argc) {
            out = argv[++i];
        } else if (arg == "--no-kvxdat3") {
            options.withKvxdat3 = false;
        } else {
            return usage();
        }
    }
    if (out.empty())
        return usage();

    std::string folder;
    if (!torvane::cp1252::fromUtf8(out, &folder)) {
        std::fprintf(stderr, "Der Ordnername enthält Zeichen, die nicht darstellbar sind: %s\n", out.c_str());
        return 1;
    }
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    try {
        torvane::Env& env = torvane::PosixEnv::defaultEnv();
        makeFolders(env, folder);
        torvane::sample::writeSamplePractice(env, folder + "/", options);
    } catch (const torvane::RunError& error) {
        std::fprintf(stderr, "Fehler %d: %s\n", error.number, torvane::cp1252::toUtf8(error.text).c_str());
        return 1;
    }
    return 0;
}
