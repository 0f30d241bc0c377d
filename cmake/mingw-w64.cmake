# What both Windows cross-builds share, with Debian's mingw-w64 compilers for the triple that
# the including toolchain file names. The POSIX thread flavour carries the full C++ standard
# library; everything is linked statically, so the programs need nothing beyond the system's
# own DLLs, on Windows and under Wine alike.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${TALVEX_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TALVEX_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TALVEX_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TALVEX_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# CTest runs the test programs, and gtest_discover_tests lists their tests, under Wine, with the
# loader that fits each program.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-emulator)
