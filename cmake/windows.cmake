# The 32-bit console zorvane.exe: its own entry point and no start-up
# files or compiler runtime, so that it needs only what it calls in
# KERNEL32, USER32 and msvcrt; no exceptions or RTTI, no timestamp.
enable_language(RC)

# Link-time optimisation and the x86 Windows ABI's own 4-byte stack
# alignment (which the entry point is called with) keep the code small.
# The 64-bit twin, built only to be tested where no 32-bit program runs,
# keeps x86-64's 16-byte alignment and undecorated names.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  set(ZORVANE_STACK_ALIGNMENT "")
  set(ZORVANE_ENTRY_PREFIX "")
  set(ZORVANE_ENTRY_SUFFIX "")
else()
  set(ZORVANE_STACK_ALIGNMENT -mpreferred-stack-boundary=2)
  set(ZORVANE_ENTRY_PREFIX "_")
  set(ZORVANE_ENTRY_SUFFIX "@0")
endif()
set(ZORVANE_WINDOWS_FLAGS -Os -flto ${ZORVANE_STACK_ALIGNMENT} -fno-asynchronous-unwind-tables -fno-exceptions -fno-rtti -ffunction-sections -fdata-sections)
set(ZORVANE_WINDOWS_LINK -Os -flto ${ZORVANE_STACK_ALIGNMENT} -static -s -Wl,--gc-sections -Wl,--no-insert-timestamp)
# The entry point is ZorvaneStart (stdcall, no arguments; x86-64 has one
# calling convention); the libraries are the system's import libraries alone.
set(ZORVANE_OWN_ENTRY -nostdlib -Wl,--dynamicbase -Wl,--nxcompat)
set(ZORVANE_OWN_ENTRY_LIBRARIES msvcrt kernel32 user32)
target_compile_options(zorvane_core PRIVATE ${ZORVANE_WINDOWS_FLAGS})

add_executable(zorvane
  src/cli/run_command.cpp
  src/platform/windows/message_box.cpp
  src/platform/windows/process.cpp
  src/platform/windows/standard_output.cpp
  resources/zorvane.rc)
target_compile_options(zorvane PRIVATE ${ZORVANE_WINDOWS_FLAGS})
# The map lets a test see that the constructor table stays empty.
target_link_options(zorvane PRIVATE ${ZORVANE_WINDOWS_LINK} ${ZORVANE_OWN_ENTRY}
  -Wl,-Map=${CMAKE_CURRENT_BINARY_DIR}/zorvane.map)
target_link_options(zorvane PRIVATE -Wl,--entry=${ZORVANE_ENTRY_PREFIX}ZorvaneStart${ZORVANE_ENTRY_SUFFIX})
target_link_libraries(zorvane PRIVATE zorvane_core ${ZORVANE_OWN_ENTRY_LIBRARIES})
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

# The size floor: the same box from an entry point of its own, built the
# way zorvane.exe is, with the same resources.
add_executable(bare_entry_box bench/bare_entry_box.cpp resources/zorvane.rc)
# Not through LTO: binutils 2.40's ld crashes when the entry point is the
# only function and comes from an LTO object; one function gains nothing.
target_compile_options(bare_entry_box PRIVATE ${ZORVANE_WINDOWS_FLAGS} -fno-lto)
target_link_options(bare_entry_box PRIVATE ${ZORVANE_WINDOWS_LINK} ${ZORVANE_OWN_ENTRY}
  -Wl,--entry=${ZORVANE_ENTRY_PREFIX}BareStart${ZORVANE_ENTRY_SUFFIX})
target_link_libraries(bare_entry_box PRIVATE ${ZORVANE_OWN_ENTRY_LIBRARIES})
