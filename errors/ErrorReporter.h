#pragma once

#include "errors/RunError.h"

#include <string>

namespace torvane {

// Receives every trapped error together with the location text of the
// procedure it happened in ("Error in D_Datenbank: Sub open_database").
class ErrorReporter {
public:
    virtual ~ErrorReporter() = default;
    virtual void ErrorFunction(const RunError& error, const std::string& location) = 0;
};

} // namespace torvane
