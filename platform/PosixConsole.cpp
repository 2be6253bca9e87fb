#include "platform/Console.h"

#include <unistd.h>

#include <iostream>

namespace torvane {

bool isTerminal(StandardStream stream)
{
    switch (stream) {
    case StandardStream::Input:
        return ::isatty(STDIN_FILENO) == 1;
    case StandardStream::Output:
        return ::isatty(STDOUT_FILENO) == 1;
    case StandardStream::Error:
        return ::isatty(STDERR_FILENO) == 1;
    }
    return false;
}

// The terminal takes UTF-8 as it stands.
std::ostream& consoleStream(StandardStream stream)
{
    return stream == StandardStream::Error ? std::cerr : std::cout;
}

std::vector<std::string> commandLineArguments(int argc, char** argv)
{
    return std::vector<std::string>(argv, argv + argc);
}

} // namespace torvane
