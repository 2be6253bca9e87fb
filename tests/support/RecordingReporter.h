#pragma once

#include "errors/ErrorReporter.h"

#include <string>
#include <vector>

namespace torvane::testsupport {

// Collects trapped errors instead of showing them.
class RecordingReporter final : public ErrorReporter {
public:
    struct Report {
        int number;
        std::string text;
        std::string location;
        int lastOsError;
    };

    void ErrorFunction(const RunError& error, const std::string& location) override
    {
        reports.push_back({error.number, error.text, location, error.lastOsError});
    }

    std::vector<Report> reports;
};

} // namespace torvane::testsupport
