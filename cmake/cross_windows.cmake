# The native build also cross-compiles zorvane.exe, so that one build and
# one test run cover both platforms. Off where mingw-w64 is missing.
find_program(ZORVANE_MINGW_CXX i686-w64-mingw32-g++-win32)
set(ZORVANE_HAVE_MINGW OFF)
if(ZORVANE_MINGW_CXX)
  set(ZORVANE_HAVE_MINGW ON)
endif()
option(ZORVANE_WINDOWS "Cross-compile zorvane.exe with mingw-w64" ${ZORVANE_HAVE_MINGW})

# windows_build NAME DIR TOOLCHAIN: zorvane.exe and its test helpers, built
# in DIR with that toolchain.
function(windows_build name dir toolchain)
  ExternalProject_Add(${name}
    SOURCE_DIR ${CMAKE_SOURCE_DIR}
    BINARY_DIR ${dir}
    CMAKE_ARGS
      -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/${toolchain}
      -DCMAKE_BUILD_TYPE=Release
    BUILD_ALWAYS ON
    INSTALL_COMMAND ""
    USES_TERMINAL_BUILD ON)
endfunction()

if(ZORVANE_WINDOWS)
  include(ExternalProject)
  set(ZORVANE_WINDOWS_DIR ${CMAKE_BINARY_DIR}/windows)
  windows_build(zorvane_windows ${ZORVANE_WINDOWS_DIR} mingw-w64-i686.cmake)
  set(ZORVANE_EXE ${ZORVANE_WINDOWS_DIR}/zorvane.exe)
  # The same sources for x86-64: what the Windows tests run where the
  # kernel runs no 32-bit program (tests/wine/route.sh). Never shipped.
  if(BUILD_TESTING)
    set(ZORVANE_TWIN_DIR ${CMAKE_BINARY_DIR}/windows-x86_64)
    windows_build(zorvane_windows_twin ${ZORVANE_TWIN_DIR} mingw-w64-x86_64.cmake)
  endif()
endif()
