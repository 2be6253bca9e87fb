#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace torvane {

// The process's console: the standard streams and the command line, in
// UTF-8 whatever the system's own encoding.

enum class StandardStream { Input, Output, Error };

// Whether the stream is a terminal a user sits at rather than a file or pipe.
bool isTerminal(StandardStream stream);

// The stream to write UTF-8 text to: Output or Error.
std::ostream& consoleStream(StandardStream stream);

// The program's arguments, its own name first.
std::vector<std::string> commandLineArguments(int argc, char** argv);

} // namespace torvane
