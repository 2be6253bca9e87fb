#include "platform/Console.h"

#include <iostream>
#include <unistd.h>

namespace torvane {

bool isTerminal(StandardStream stream)
{
    const int fd = stream == StandardStream::Input ? STDIN_FILENO
                   : stream == StandardStream::Output ? STDOUT_FILENO
                                                      : STDERR_FILENO;
    return ::isatty(fd) == 1;
}

std::ostream& consoleStream(StandardStream stream)
{
    return stream == StandardStream::Error ? std::cerr : std::cout;
}

std::vector<std::string> commandLineArguments(int argc, char** argv)
{
    return std::vector<std::string>(argv, argv + argc);
}

} // namespace torvane
