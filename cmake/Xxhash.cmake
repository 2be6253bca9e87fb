# xxHash, header-only. Debian's libxxhash-dev header also compiles for the
# cross build (there is no MinGW package of it), so it is copied into the
# build tree on its own: adding the host's include folder would bring the
# host's C library headers along.
find_file(TORVANE_XXHASH_HEADER xxhash.h PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH REQUIRED)
configure_file(${TORVANE_XXHASH_HEADER} ${CMAKE_BINARY_DIR}/xxhash/xxhash.h COPYONLY)
add_library(torvane_xxhash INTERFACE)
target_include_directories(torvane_xxhash SYSTEM INTERFACE ${CMAKE_BINARY_DIR}/xxhash)
target_compile_definitions(torvane_xxhash INTERFACE XXH_INLINE_ALL)
