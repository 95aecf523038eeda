#!/usr/bin/env bash
# The Windows release, made on Debian: builds Qt for Windows when it is missing, cross-builds the
# program, the stand-in engine and the GUI tests against it, runs those tests under Wine, takes a
# screenshot of the program on an X server, and packs dist/WinTarvel-VERSION-win64.zip and the
# installer dist/WinTarvel-VERSION-setup.exe, which scripts/check-windows-installer.sh then installs,
# starts and uninstalls under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${WIN_RELEASE_BUILD:-build-windows-release}
wineprefix=$(pwd)/${WIN_BUILD:-build-windows}/wineprefix
qt=${WINTARVEL_QT_WINDOWS:-${XDG_CACHE_HOME:-$HOME/.cache}/wintarvel/qt-6.4.2-mingw64}
export WINTARVEL_QT_WINDOWS=$qt

scripts/install-deps.sh g++-mingw-w64-x86-64-posix wine wine64 nsis xvfb x11-utils imagemagick \
  fonts-dejavu-core
scripts/build-qt-windows.sh

cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64-qt.cmake \
  -DWINTARVEL_QT_WINDOWS="$qt" -DWINTARVEL_WINEPREFIX="$wineprefix" -DCMAKE_BUILD_TYPE=Release \
  -DWINTARVEL_WERROR="${WINTARVEL_WERROR:-OFF}"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
gui_tests=$(cd tests/gui && ls ./*_tests.cpp | sed 's|^\./|gui_|; s|\.cpp$||')
# shellcheck disable=SC2086 # one target a word
cmake --build "$build" -j "$(nproc)" --target wintarvel tarvel_engine $gui_tests

echo "== GUI tests under Wine"
mkdir -p "$(dirname "$wineprefix")"
WINEPREFIX=$wineprefix WINEDEBUG=-all DISPLAY= wineboot --init
ctest --test-dir "$build" -R '^gui_' --output-on-failure -j "$(nproc)"

echo "== Packages"
stage=$build/stage
rm -rf "$stage" && cmake --install "$build" --prefix "$stage"
mkdir -p dist
cpack --config "$build/CPackConfig.cmake" -B "$(pwd)/dist"
rm -rf dist/_CPack_Packages
# The uninstaller's list of what was installed: files first, then their folders, deepest first.
files_list=$build/installed-files.nsh
(cd "$stage" && find . -type f | sed 's|^\./||; s|/|\\|g; s|.*|  Delete "$INSTDIR\\&"|' &&
  find . -mindepth 1 -type d | sort -r | sed 's|^\./||; s|/|\\|g; s|.*|  RMDir "$INSTDIR\\&"|') >"$files_list"
makensis -V2 -DVERSION="$version" -DSTAGE="$(pwd)/$stage" -DFILES="$(pwd)/$files_list" \
  -DOUTFILE="$(pwd)/dist/WinTarvel-$version-setup.exe" packaging/windows/wintarvel.nsi

echo "== The program on an X server, with the example study opened from the command line"
scripts/windows-screenshot.sh "$stage/wintarvel.exe" examples/roommate.set "$build/screenshot.png"

echo "== The installer under Wine"
scripts/check-windows-installer.sh "dist/WinTarvel-$version-setup.exe" "$build"

echo "Made dist/WinTarvel-$version-win64.zip and dist/WinTarvel-$version-setup.exe;"
echo "the screenshot of the window is $build/screenshot.png"
