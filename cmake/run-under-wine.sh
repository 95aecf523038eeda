#!/bin/sh
# Runs a Windows program of the Qt cross build under Wine, for CTest: quiet, without a display
# (GUI tests run offscreen), in the given Wine prefix, with Qt's DLLs and the MinGW runtime DLLs
# found through WINEPATH.
#
#   run-under-wine.sh WINEPREFIX QT_FOLDER PROGRAM.exe [ARGUMENTS...]
set -eu
WINEPREFIX=$1
qt=$2
shift 2
runtime=$(ls -d /usr/lib/gcc/x86_64-w64-mingw32/*-posix | head -n 1)
windows_path() { printf 'Z:%s' "$1" | tr / '\\'; }
WINEPATH="$(windows_path "$qt/bin");$(windows_path "$runtime");$(windows_path /usr/x86_64-w64-mingw32/lib)"
WINEDEBUG=-all
DISPLAY=
# Without a console, Qt on Windows logs to the debugger instead of the output CTest reads.
# Wine hands the program no QT_* variable of the host; WINEQT_* reaches it as QT_*.
WINEQT_FORCE_STDERR_LOGGING=1
# The offscreen platform reads fonts from a folder, and a Qt built for Windows ships none: the
# host's DejaVu fonts give the tests text of a real size to lay out.
WINEQT_QPA_FONTDIR=$(windows_path /usr/share/fonts/truetype/dejavu)
export WINEPREFIX WINEPATH WINEDEBUG DISPLAY WINEQT_FORCE_STDERR_LOGGING WINEQT_QPA_FONTDIR
exec wine "$@"
