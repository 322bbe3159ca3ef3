# Cross-compiles the native build for 64-bit ARM with Debian's
# crossbuild-essential-arm64. The arm64 libraries (GTK, GoogleTest, libc)
# come from a sysroot, ZORVANE_ARM64_SYSROOT (scripts/roots makes one from
# Debian's arm64 packages), or, without one, from the arm64 packages of a
# multiarch system (libgtk-3-dev:arm64). What is built runs here under
# qemu-user.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)

if(NOT ZORVANE_ARM64_SYSROOT AND DEFINED ENV{ZORVANE_ARM64_SYSROOT})
  set(ZORVANE_ARM64_SYSROOT $ENV{ZORVANE_ARM64_SYSROOT})
endif()
set(ZORVANE_ARM64_SYSROOT "${ZORVANE_ARM64_SYSROOT}" CACHE PATH "arm64 sysroot; empty: the multiarch system")
# try_compile runs the toolchain file again in a project of its own.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES ZORVANE_ARM64_SYSROOT)

if(ZORVANE_ARM64_SYSROOT)
  set(CMAKE_SYSROOT ${ZORVANE_ARM64_SYSROOT})
  set(CMAKE_FIND_ROOT_PATH ${ZORVANE_ARM64_SYSROOT})
  set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
  set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
  set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
  set(PKG_CONFIG_EXECUTABLE pkg-config)
  set(ENV{PKG_CONFIG_SYSROOT_DIR} ${ZORVANE_ARM64_SYSROOT})
  set(ENV{PKG_CONFIG_LIBDIR}
    "${ZORVANE_ARM64_SYSROOT}/usr/lib/aarch64-linux-gnu/pkgconfig:${ZORVANE_ARM64_SYSROOT}/usr/share/pkgconfig")
  set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64 -L ${ZORVANE_ARM64_SYSROOT})
else()
  set(CMAKE_FIND_ROOT_PATH /usr/aarch64-linux-gnu)
  set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY BOTH)
  set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE BOTH)
  set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)
  set(PKG_CONFIG_EXECUTABLE aarch64-linux-gnu-pkg-config)
  set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64-static)
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
