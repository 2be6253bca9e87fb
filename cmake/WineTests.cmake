# The test suite of the Windows build: GoogleTest from Debian's source
# package (googletest) built with the cross compiler, and every test program
# run under Wine in a prefix of the build's own.
set(TORVANE_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for the cross build")
set(TORVANE_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine)
set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/tools/wine-run.sh ${TORVANE_WINE_PREFIX})

set(INSTALL_GTEST OFF)
add_subdirectory(${TORVANE_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# It brings its own warning flags and GTest:: names; ours, with -Werror, are
# for our code. Unoptimised: it builds in half the time and runs fast enough.
set_property(TARGET gtest gtest_main gmock gmock_main PROPERTY COMPILE_OPTIONS -O0)
