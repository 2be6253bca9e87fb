#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace torvane {

enum class StandardStream { Input, Output, Error };

// Whether the stream is a terminal (a console window on Windows) rather
// than a file or a pipe.
bool isTerminal(StandardStream stream);

// Standard output or error for UTF-8 text. A terminal shows it right
// whatever its code page; a file or pipe receives the UTF-8 bytes as they are.
std::ostream& consoleStream(StandardStream stream);

// The command line as argv has it (the program's name first), in UTF-8.
std::vector<std::string> commandLineArguments(int argc, char** argv);

} // namespace torvane
