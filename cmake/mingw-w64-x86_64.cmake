# Cross-compiles the 64-bit twin of zorvane.exe, the same sources for
# x86-64, which wine64 runs on a kernel that runs no 32-bit program.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ZORVANE_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
