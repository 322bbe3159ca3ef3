# The native zorvane: a GTK dialog from a helper program run on demand, or
# a box drawn on the terminal. The binary itself links no GUI library.
# What the unit tests reach: pure functions over values, no I/O but the
# catalogue lookup and the line prompt's read.
add_library(zorvane_posix STATIC
  src/platform/posix/box/box_style.cpp
  src/platform/posix/box/buttons.cpp
  src/platform/posix/box/characters.cpp
  src/platform/posix/box/cut_character.cpp
  src/platform/posix/box/helper_request.cpp
  src/platform/posix/box/icons.cpp
  src/platform/posix/box/labels.cpp
  src/platform/posix/box/unanswered.cpp
  src/platform/posix/process/executable_directory.cpp
  src/platform/posix/terminal/alternate_screen.cpp
  src/platform/posix/terminal/box_geometry.cpp
  src/platform/posix/terminal/box_paint.cpp
  src/platform/posix/terminal/box_reducer.cpp
  src/platform/posix/terminal/frame.cpp
  src/platform/posix/terminal/key_reader.cpp
  src/platform/posix/terminal/key_table.cpp
  src/platform/posix/terminal/line_prompt.cpp
  src/platform/posix/terminal/sequence_parser.cpp
  src/platform/posix/terminal/terminal_device.cpp
  src/platform/posix/terminal/terminal_text.cpp)
target_link_libraries(zorvane_posix PUBLIC zorvane_core)
set_target_properties(zorvane_posix zorvane_core PROPERTIES POSITION_INDEPENDENT_CODE ON)

# The shell around it: the service chain, the processes, the terminal lease.
add_executable(zorvane
  src/cli/main.cpp
  src/cli/run_command.cpp
  src/platform/posix/desktop/desktop_box.cpp
  src/platform/posix/message_box.cpp
  src/platform/posix/process/end_process.cpp
  src/platform/posix/process/signal_watch.cpp
  src/platform/posix/standard_output.cpp
  src/platform/posix/terminal/fault_restore.cpp
  src/platform/posix/terminal/terminal_box.cpp
  src/platform/posix/terminal/terminal_lease.cpp
  src/platform/posix/terminal/screen_facts.cpp
  src/platform/posix/terminal/terminal_lock.cpp
  src/platform/posix/terminal/terminfo.cpp)
target_link_libraries(zorvane PRIVATE zorvane_posix)
# Loading the shared C++ runtime doubles the start-up time of the usage
# screen, and a portable build runs where another runtime is installed; a
# distribution's package links the runtime its system ships (OFF).
option(ZORVANE_STATIC_RUNTIME "Link the C++ runtime into the programs" ON)
# zorvane_link_options TARGET: the link options every shipped program takes.
function(zorvane_link_options target)
  target_link_options(${target} PRIVATE -Wl,--as-needed)
  if(ZORVANE_STATIC_RUNTIME)
    target_link_options(${target} PRIVATE -static-libstdc++ -static-libgcc)
  endif()
endfunction()
zorvane_link_options(zorvane)

find_package(PkgConfig)
if(PkgConfig_FOUND)
  pkg_check_modules(GTK3 IMPORTED_TARGET gtk+-3.0 x11)
endif()
if(GTK3_FOUND)
  # Keeps a box's copy on the X clipboard once the box has gone: Xlib alone,
  # so that it holds a few MB, not the GTK helper's memory.
  add_executable(zorvane_clipboard
    src/platform/posix/desktop/keeper/keeper_main.cpp
    src/platform/posix/desktop/keeper/selection_owner.cpp)
  target_include_directories(zorvane_clipboard PRIVATE src)
  target_link_libraries(zorvane_clipboard PRIVATE PkgConfig::GTK3)
  zorvane_link_options(zorvane_clipboard)
  set_target_properties(zorvane_clipboard PROPERTIES OUTPUT_NAME zorvane-clipboard
                                                     RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
  install(TARGETS zorvane_clipboard RUNTIME DESTINATION lib/zorvane)
  add_executable(zorvane_gtk
    src/platform/posix/desktop/gtk/box_copy.cpp
    src/platform/posix/desktop/gtk/caller_window.cpp
    src/platform/posix/desktop/gtk/clipboard_keeper.cpp
    src/platform/posix/desktop/gtk/deaf_time.cpp
    src/platform/posix/desktop/gtk/gtk_box.cpp
    src/platform/posix/desktop/gtk/helper_main.cpp
    src/platform/posix/desktop/gtk/screen_fit.cpp
    src/platform/posix/desktop/gtk/utf8_text.cpp
    src/platform/posix/desktop/gtk/window_icon.cpp)
  target_link_libraries(zorvane_gtk PRIVATE zorvane_posix PkgConfig::GTK3)
  target_include_directories(zorvane_gtk PRIVATE resources)
  # GTK is loaded as a program loads it, at its start, not by dlopen,
  # which costs more time and memory.
  zorvane_link_options(zorvane_gtk)
  set_target_properties(zorvane_gtk PROPERTIES OUTPUT_NAME zorvane-gtk
                                               RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
  install(TARGETS zorvane_gtk RUNTIME DESTINATION lib/zorvane)
else()
  message(STATUS "GTK 3 not found: zorvane will draw its box on the terminal only")
endif()
set_target_properties(zorvane PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

install(TARGETS zorvane RUNTIME DESTINATION bin)
# The man page compressed as Debian installs it, with no name or time
# stamp in the gzip header, so that two builds give the same bytes.
find_program(GZIP gzip REQUIRED)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/doc/zorvane.1.gz
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/doc
  COMMAND ${GZIP} -9nc ${PROJECT_SOURCE_DIR}/doc/zorvane.1 > ${CMAKE_BINARY_DIR}/doc/zorvane.1.gz
  DEPENDS ${PROJECT_SOURCE_DIR}/doc/zorvane.1 VERBATIM)
add_custom_target(zorvane_docs ALL DEPENDS ${CMAKE_BINARY_DIR}/doc/zorvane.1.gz)
install(FILES ${CMAKE_BINARY_DIR}/doc/zorvane.1.gz DESTINATION share/man/man1)
# The usage screen ends "More in the README": the users' README goes
# wherever the tool does. A Debian package carries its own copyright file
# instead of LICENSE (debian/not-installed).
install(FILES doc/README LICENSE DESTINATION share/doc/zorvane)
# Hidden from menus: it lets desktops that look the window's app_id up
# find the tool's icon for its boxes.
install(FILES resources/zorvane.desktop DESTINATION share/applications)
foreach(size 16 32 48)
  install(FILES resources/zorvane-${size}.png DESTINATION share/icons/hicolor/${size}x${size}/apps
          RENAME zorvane.png)
endforeach()

# The button labels' own message catalogue, compiled beside the binary
# (where a build tree's zorvane looks first) and installed under share/.
find_program(MSGFMT msgfmt REQUIRED)
file(READ po/LINGUAS ZORVANE_LANGUAGES)
string(REGEX MATCHALL "[A-Za-z_@]+" ZORVANE_LANGUAGES "${ZORVANE_LANGUAGES}")
set(ZORVANE_CATALOGUES)
foreach(language ${ZORVANE_LANGUAGES})
  set(catalogue ${CMAKE_BINARY_DIR}/locale/${language}/LC_MESSAGES/zorvane.mo)
  add_custom_command(OUTPUT ${catalogue}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/locale/${language}/LC_MESSAGES
    COMMAND ${MSGFMT} --check -o ${catalogue} ${PROJECT_SOURCE_DIR}/po/${language}.po
    DEPENDS ${PROJECT_SOURCE_DIR}/po/${language}.po VERBATIM)
  list(APPEND ZORVANE_CATALOGUES ${catalogue})
  install(FILES ${catalogue} DESTINATION share/locale/${language}/LC_MESSAGES)
endforeach()
add_custom_target(zorvane_catalogues ALL DEPENDS ${ZORVANE_CATALOGUES})
