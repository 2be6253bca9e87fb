#pragma once

#include <istream>
#include <ostream>

namespace torvane::cli {

// The terminal the front end talks to; tests pass string streams.
struct Terminal {
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
    bool inputIsTerminal = false; // answers may be asked for
    bool errorIsTerminal = false; // a live progress bar may be drawn
};

} // namespace torvane::cli
