# clang-tidy over the Windows sources too, with the mingw-w64 target and
# its headers, warnings as errors like the rest; part of the tidy preset.
execute_process(COMMAND ${ZORVANE_MINGW_CXX} -E -x c++ -v -
                INPUT_FILE /dev/null OUTPUT_QUIET ERROR_VARIABLE probe)
string(REGEX MATCH "search starts here:\n(.*)\nEnd of search list" _ "${probe}")
string(REGEX MATCHALL "[^ \n]+" mingw_includes "${CMAKE_MATCH_1}")
set(tidy_arguments --target=i686-w64-mingw32 -std=c++17 -I${PROJECT_SOURCE_DIR}/src
    -DZORVANE_VERSION="${PROJECT_VERSION}")
foreach(directory ${mingw_includes})
  list(APPEND tidy_arguments -isystem ${directory})
endforeach()
file(GLOB windows_sources ${PROJECT_SOURCE_DIR}/src/platform/windows/*.cpp)
add_custom_target(tidy_windows ALL
  COMMAND ${CMAKE_CXX_CLANG_TIDY} --quiet --warnings-as-errors=* ${windows_sources}
          -- ${tidy_arguments}
  COMMENT "clang-tidy over src/platform/windows for i686-w64-mingw32" VERBATIM)
