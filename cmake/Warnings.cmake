# The warnings every target of the project is built with, as an interface
# library to link: the same for g++ (also MinGW-w64's) and clang.
set(TORVANE_WARNINGS
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion -Wnon-virtual-dtor
    -Woverloaded-virtual -Wcast-qual -Wformat=2 -Wimplicit-fallthrough -Wmissing-declarations)
set(TORVANE_GCC_WARNINGS -Wduplicated-cond -Wlogical-op)

add_library(torvane_warnings INTERFACE)
target_compile_options(torvane_warnings INTERFACE
    "$<$<CXX_COMPILER_ID:GNU,Clang>:${TORVANE_WARNINGS}>"
    "$<$<CXX_COMPILER_ID:GNU>:${TORVANE_GCC_WARNINGS}>"
    # g++ 12 reports std::string assignments as overlapping copies at -O3
    # (a false positive fixed in g++ 13).
    "$<$<AND:$<CXX_COMPILER_ID:GNU>,$<VERSION_LESS:$<CXX_COMPILER_VERSION>,13>>:-Wno-restrict>"
    "$<$<BOOL:${TORVANE_WERROR}>:-Werror>")
