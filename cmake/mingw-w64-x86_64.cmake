# Cross build for 64-bit Windows with MinGW-w64 (Debian: g++-mingw-w64-x86-64-posix), with the
# programs and tests run under Wine when it is installed.
#
#   cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
#         -DWINTARVEL_GUI=OFF

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(WINTARVEL_MINGW_PREFIX x86_64-w64-mingw32)
# The posix thread model gives the full C++ thread library; the plain name is whichever model
# the system's alternative points at.
find_program(CMAKE_CXX_COMPILER NAMES ${WINTARVEL_MINGW_PREFIX}-g++-posix ${WINTARVEL_MINGW_PREFIX}-g++
             REQUIRED)
find_program(CMAKE_C_COMPILER NAMES ${WINTARVEL_MINGW_PREFIX}-gcc-posix ${WINTARVEL_MINGW_PREFIX}-gcc)
find_program(CMAKE_RC_COMPILER NAMES ${WINTARVEL_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${WINTARVEL_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C++ and GCC runtimes (and winpthreads) are linked in, so the programs need no DLL beside
# them, neither on Windows nor under Wine. Programs that link the Qt DLLs share the runtime DLLs
# with them instead (-DWINTARVEL_MINGW_STATIC_RUNTIME=OFF, as for Qt's own build).
option(WINTARVEL_MINGW_STATIC_RUNTIME "Link the MinGW runtimes into each program" ON)
if(WINTARVEL_MINGW_STATIC_RUNTIME)
  set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
endif()

# Under Wine: quiet, without a display, in a prefix of the build folder's own, so that a user's
# ~/.wine is never touched. CTest and the test discovery run every program through this.
if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
  find_program(WINTARVEL_WINE NAMES wine)
  if(WINTARVEL_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR
        env WINEDEBUG=-all WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix DISPLAY= ${WINTARVEL_WINE})
  endif()
endif()
