# Cross build of the Qt program for 64-bit Windows with MinGW-w64, against the Qt for Windows that
# scripts/build-qt-windows.sh installs:
#
#   cmake -S . -B build-windows-release -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64-qt.cmake \
#         -DWINTARVEL_QT_WINDOWS=<that Qt's folder>
#
# The programs share the MinGW runtime DLLs with Qt's DLLs instead of linking the runtimes in, and
# run under Wine through run-under-wine.sh.

set(WINTARVEL_MINGW_STATIC_RUNTIME OFF CACHE BOOL "Link the MinGW runtimes into each program" FORCE)
set(WINTARVEL_QT_WINDOWS "" CACHE PATH "Qt for Windows, as scripts/build-qt-windows.sh installs it")
set(WINTARVEL_WINEPREFIX "${CMAKE_BINARY_DIR}/wineprefix" CACHE PATH "Wine prefix of the test runs")

set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/run-under-wine.sh
    ${WINTARVEL_WINEPREFIX} ${WINTARVEL_QT_WINDOWS})

include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64.cmake)
list(APPEND CMAKE_FIND_ROOT_PATH "${WINTARVEL_QT_WINDOWS}")
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)
