# The native build also cross-compiles zorvane.exe, so that one build and
# one test run cover both platforms. Off where mingw-w64 is missing.
find_program(ZORVANE_MINGW_CXX i686-w64-mingw32-g++-win32)
set(ZORVANE_HAVE_MINGW OFF)
if(ZORVANE_MINGW_CXX)
  set(ZORVANE_HAVE_MINGW ON)
endif()
option(ZORVANE_WINDOWS "Cross-compile zorvane.exe with mingw-w64" ${ZORVANE_HAVE_MINGW})

if(ZORVANE_WINDOWS)
  include(ExternalProject)
  set(ZORVANE_WINDOWS_DIR ${CMAKE_BINARY_DIR}/windows)
  ExternalProject_Add(zorvane_windows
    SOURCE_DIR ${CMAKE_SOURCE_DIR}
    BINARY_DIR ${ZORVANE_WINDOWS_DIR}
    CMAKE_ARGS
      -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/mingw-w64-i686.cmake
      -DCMAKE_BUILD_TYPE=Release
    BUILD_ALWAYS ON
    INSTALL_COMMAND ""
    USES_TERMINAL_BUILD ON)
  set(ZORVANE_EXE ${ZORVANE_WINDOWS_DIR}/zorvane.exe)
endif()
