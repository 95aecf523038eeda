#!/usr/bin/env bash
# Cross-builds Qt 6 for 64-bit Windows from the source of Debian's own qt6-base package, with
# MinGW-w64 and the Linux Qt tools as host tools, and installs it into a cache folder outside the
# repository. Does nothing when that folder already holds a complete build.
#
#   scripts/build-qt-windows.sh            # prefix: ${XDG_CACHE_HOME:-~/.cache}/wintarvel/qt-6.4.2-mingw64
#   WINTARVEL_QT_WINDOWS=/some/dir scripts/build-qt-windows.sh
#
# Only what the program needs is built: Core, Gui, Widgets, Test, the Windows platform plugin and
# styles, with Qt's bundled zlib, PCRE2, libpng, HarfBuzz and FreeType.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$(pwd)

qt_version=6.4.2
prefix=${WINTARVEL_QT_WINDOWS:-${XDG_CACHE_HOME:-$HOME/.cache}/wintarvel/qt-$qt_version-mingw64}
work=${WINTARVEL_QT_WINDOWS_WORK:-${XDG_CACHE_HOME:-$HOME/.cache}/wintarvel/qt-$qt_version-work}
stamp=$prefix/.wintarvel-complete

if [ -f "$stamp" ]; then
  echo "Qt $qt_version for Windows is already in $prefix"
  exit 0
fi

# The Linux Qt of the same version supplies moc, rcc and uic; dpkg-dev unpacks the source package.
scripts/install-deps.sh g++-mingw-w64-x86-64-posix dpkg-dev xz-utils patch

fetch_source() {
  local apt_dir=$work/apt
  mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$work/download"
  # A private apt configuration: its own sources list with a deb-src entry for the archive the
  # machine already uses, and its own lists folder, so the machine's apt set-up stays untouched.
  cat >"$apt_dir/sources.list" <<SOURCES
deb-src http://deb.debian.org/debian bookworm main
deb-src http://deb.debian.org/debian bookworm-updates main
deb-src http://deb.debian.org/debian-security bookworm-security main
SOURCES
  local apt_options=(-o "Dir::Etc::SourceList=$apt_dir/sources.list" -o "Dir::Etc::SourceParts=-"
    -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache")
  apt-get "${apt_options[@]}" update -qq
  (cd "$work/download" && apt-get "${apt_options[@]}" source --download-only qt6-base)
}

unpack_source() {
  local source=$work/source
  rm -rf "$source" && mkdir -p "$source"
  tar -xf "$work"/download/qt6-base_"$qt_version"*.orig.tar.xz -C "$source" --strip-components=1
  mkdir -p "$work/debian" && tar -xf "$work"/download/qt6-base_"$qt_version"*.debian.tar.xz -C "$work/debian"
  local patch_name
  while read -r patch_name; do
    case $patch_name in '' | '#'*) continue ;; esac
    patch -d "$source" -p1 -s <"$work/debian/debian/patches/$patch_name"
  done <"$work/debian/debian/patches/series"
  # Without Direct2D, Qt Gui does not build the DirectWrite font database that the Windows
  # platform plugin would otherwise use: fall back to the GDI one.
  sed -i 's/^#if QT_CONFIG(directwrite3)$/#if QT_CONFIG(directwrite3) \&\& QT_CONFIG(direct2d)/' \
    "$source/src/plugins/platforms/windows/qwindowsintegration.cpp"
}

configure_and_build() {
  local build=$work/build
  rm -rf "$build" && mkdir -p "$build"
  cmake -G Ninja -S "$work/source" -B "$build" \
    -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64-x86_64.cmake" -DWINTARVEL_MINGW_STATIC_RUNTIME=OFF \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=ON \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF \
    -DINPUT_opengl=no -DFEATURE_opengl=OFF -DFEATURE_direct2d=OFF -DFEATURE_vulkan=OFF \
    -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_printsupport=OFF \
    -DFEATURE_testlib=ON -DFEATURE_gui=ON -DFEATURE_widgets=ON -DFEATURE_style_windowsvista=ON \
    -DFEATURE_freetype=ON -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF \
    -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF -DFEATURE_system_harfbuzz=OFF \
    -DFEATURE_system_freetype=OFF -DFEATURE_system_doubleconversion=OFF \
    -DFEATURE_system_libb2=OFF -DFEATURE_zstd=OFF -DFEATURE_icu=OFF -DFEATURE_glib=OFF \
    -DFEATURE_tabletevent=OFF
  cmake --build "$build" -j "$(nproc)"
  rm -rf "$prefix"
  cmake --install "$build"
}

start=$(date +%s)
[ -n "$(ls "$work"/download/qt6-base_"$qt_version"*.orig.tar.xz 2>/dev/null)" ] || fetch_source
unpack_source
configure_and_build
# The stamp names the Debian source version, which the Windows packages quote for Qt's licence.
dsc=$(ls "$work"/download/qt6-base_"$qt_version"*.dsc)
basename "$dsc" .dsc | sed 's/^qt6-base_//' >"$stamp"
echo "Qt $qt_version for Windows built in $(($(date +%s) - start)) s, installed in $prefix"
