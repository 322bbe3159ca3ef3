# The 32-bit console zorvane.exe: static runtime pieces so that it needs
# only KERNEL32, USER32 and msvcrt, no exceptions or RTTI, no timestamp.
enable_language(RC)

set(ZORVANE_WINDOWS_FLAGS -Os -fno-asynchronous-unwind-tables -fno-exceptions -fno-rtti -ffunction-sections -fdata-sections)
set(ZORVANE_WINDOWS_LINK -static -s -Wl,--gc-sections -Wl,--no-insert-timestamp)
target_compile_options(zorvane_core PRIVATE ${ZORVANE_WINDOWS_FLAGS})

add_executable(zorvane
  src/cli/main.cpp
  src/cli/run_command.cpp
  src/platform/windows/message_box.cpp
  src/platform/windows/process.cpp
  src/platform/windows/standard_output.cpp
  resources/zorvane.rc)
target_compile_options(zorvane PRIVATE ${ZORVANE_WINDOWS_FLAGS})
target_link_options(zorvane PRIVATE ${ZORVANE_WINDOWS_LINK})
target_link_libraries(zorvane PRIVATE zorvane_core user32)
set_property(SOURCE resources/zorvane.rc APPEND PROPERTY OBJECT_DEPENDS
  ${CMAKE_CURRENT_SOURCE_DIR}/resources/zorvane.ico
  ${CMAKE_CURRENT_SOURCE_DIR}/resources/zorvane.manifest)

# Places the usage screen on a console whose output modes were cleared and
# reads the screen buffer back, for the console tests under Wine.
add_executable(console_modes tests/wine/console_modes.cpp)
target_link_options(console_modes PRIVATE ${ZORVANE_WINDOWS_LINK})

# Reads a box's texts back for the end-to-end tests under Wine.
add_executable(boxdump tests/wine/boxdump.cpp)
target_link_options(boxdump PRIVATE ${ZORVANE_WINDOWS_LINK})
target_link_libraries(boxdump PRIVATE user32)

# The benchmarks' baseline: a bare MessageBoxA program built the same way,
# resources included (the manifest's visual styles cost Wine time too).
add_executable(bare_box bench/bare_box.cpp resources/zorvane.rc)
target_compile_options(bare_box PRIVATE ${ZORVANE_WINDOWS_FLAGS})
target_link_options(bare_box PRIVATE ${ZORVANE_WINDOWS_LINK})
target_link_libraries(bare_box PRIVATE user32)
