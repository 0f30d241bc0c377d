# Cross-builds the Linux form for 64-bit ARM (Debian's arm64) on another Debian machine, with
# Debian's cross compiler and the arm64 halves of Qt's multi-arch packages, installed beside the
# build machine's own. Qt's code generators (moc, rcc, uic) are the build machine's.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)

set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
# Qt's own dependencies are found through pkg-config, which must read the arm64 libraries' files.
set(PKG_CONFIG_EXECUTABLE aarch64-linux-gnu-pkg-config)

# Libraries, headers and CMake packages of the target's architecture alone; programs of the build
# machine's. Qt's finds its tools' packages under QT_HOST_PATH, in the build machine's multi-arch
# folder.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
execute_process(COMMAND dpkg-architecture -qDEB_BUILD_MULTIARCH
                OUTPUT_VARIABLE build_multiarch OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/${build_multiarch}/cmake)

# The tests, and the build's own drawing of the desktop icons, run under QEMU's user-mode
# emulator, which takes the arm64 libraries from their multi-arch folders: its static build, which
# nothing preloaded into the program disturbs, by the name qemu-user-static gives it on Debian 12
# and 13 alike.
find_program(TALVEX_QEMU_AARCH64 qemu-aarch64-static REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${TALVEX_QEMU_AARCH64})
