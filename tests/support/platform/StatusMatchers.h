#pragma once

#include "platform/Cp1252.h"
#include "platform/Status.h"

#include <gmock/gmock.h>

#include <ostream>

namespace torvane {

// How a failing expectation shows a Status: "ok", or the run-time number,
// the system's code and the path.
inline void PrintTo(const Status& status, std::ostream* out)
{
    if (status.isOk()) {
        *out << "ok";
        return;
    }
    *out << "error " << status.number() << " (system code " << status.osError() << ") on \""
         << cp1252::toUtf8(status.path()) << "\"";
}

// EXPECT_THAT(env.makeFolder(path), IsOk()) shows the failure it got.
class IsOkMatcher {
public:
    using is_gtest_matcher = void;

    bool MatchAndExplain(const Status& status, std::ostream*) const { return status.isOk(); }
    void DescribeTo(std::ostream* out) const { *out << "is ok"; }
    void DescribeNegationTo(std::ostream* out) const { *out << "is a failure"; }
};

inline IsOkMatcher IsOk()
{
    return {};
}

} // namespace torvane
