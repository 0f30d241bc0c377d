# Cross-builds for 32-bit Windows.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(TALVEX_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
