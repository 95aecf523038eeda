#!/usr/bin/env bash
# Builds the Debian package dist/wintarvel_VERSION_amd64.deb with CPack and checks it: lintian
# (no errors), the list of files it holds, its desktop entry, MIME type and AppStream data, then
# installs it on this machine with apt, asks the installed program for its version, and removes
# it again with purge, which must leave none of its files behind. Every check runs; the script
# fails at the end when any of them failed.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${PACKAGE_BUILD:-build-package}
failures=()
fail() {
  echo "FAILED: $*" >&2
  failures+=("$*")
}
as_root=()
if [ "$(id -u)" -ne 0 ]; then as_root=(sudo); fi

# A release build with the hardening flags of Debian's own package builds, all of them.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)"
cmake --build "$build" -j "$(nproc)"
rm -f "$build"/wintarvel_*.deb
(cd "$build" && cpack -G DEB)
debs=("$build"/wintarvel_*_amd64.deb)
[ -f "${debs[0]}" ] || { echo "CPack made no package" >&2; exit 1; }
mkdir -p dist
rm -f dist/wintarvel_*.deb
cp "${debs[0]}" dist/
deb=dist/$(basename "${debs[0]}")
version=$(dpkg-deb -f "$deb" Version)
echo "== Package $deb"
dpkg-deb -I "$deb" | sed -n '/Package:/,$p'

echo "== lintian"
lintian --fail-on error "$deb" || fail "lintian reports errors"

echo "== Files"
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"
expected="/usr/bin/wintarvel
/usr/lib/wintarvel/tarvel.exe
/usr/share/applications/org.wintarvel.WinTarvel.desktop
/usr/share/doc/wintarvel/changelog.gz
/usr/share/doc/wintarvel/copyright
/usr/share/icons/hicolor/128x128/apps/wintarvel.png
/usr/share/icons/hicolor/256x256/apps/wintarvel.png
/usr/share/icons/hicolor/48x48/apps/wintarvel.png
/usr/share/icons/hicolor/scalable/apps/wintarvel.svg
/usr/share/man/man1/wintarvel.1.gz
/usr/share/metainfo/org.wintarvel.WinTarvel.metainfo.xml
/usr/share/mime/packages/wintarvel.xml
/usr/share/wintarvel/examples/roommate.set
/usr/share/wintarvel/examples/roommate.txt"
actual=$(cd "$root" && find . -not -type d | sed 's|^\.||' | LC_ALL=C sort)
if [ "$actual" != "$expected" ]; then
  diff <(echo "$expected") <(echo "$actual") || true
  fail "the package's files differ from the expected list"
fi
for size in 48 128 256; do
  file "$root/usr/share/icons/hicolor/${size}x${size}/apps/wintarvel.png" |
    grep -q "$size x $size" || fail "the ${size} px icon is not ${size} by ${size} pixels"
done
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "no computed Qt dependency"
dpkg-deb -f "$deb" Suggests | grep -qw wine || fail "wine is not suggested"

echo "== Desktop entry, MIME type, AppStream"
desktop=$root/usr/share/applications/org.wintarvel.WinTarvel.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate"
grep -q '^Exec=.*wintarvel %f$' "$desktop" || fail "the desktop entry does not pass the file (%f)"
metainfo=$root/usr/share/metainfo/org.wintarvel.WinTarvel.metainfo.xml
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate"
grep -q "<release version=\"$version\"" "$metainfo" ||
  fail "the AppStream data has no release entry for version $version"
# The shared-mime-info database built from the package alone must know the set file type.
XDG_DATA_DIRS=$root/usr/share update-mime-database "$root/usr/share/mime"
grep -q '^50:application/x-wintarvel-set:\*\.set$' "$root/usr/share/mime/globs2" ||
  fail "the MIME type does not claim *.set"

echo "== Install, start, remove"
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y "./$deb"
installed=$(dpkg -L wintarvel)
if version_output=$(QT_QPA_PLATFORM=offscreen timeout 30 wintarvel --version 2>&1) &&
  grep -q "$version" <<<"$version_output"; then
  echo "wintarvel --version: $version_output"
else
  fail "wintarvel --version did not answer with $version (it said: ${version_output:-nothing})"
fi
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get remove --purge -y wintarvel
# Shared folders such as /usr/share/applications stay; the package's own files and folders go.
while IFS= read -r path; do
  if [ -e "$path" ] && { [ ! -d "$path" ] || [[ "$path" == */wintarvel* ]]; }; then
    fail "left behind: $path"
  fi
done <<<"$installed"

if [ ${#failures[@]} -gt 0 ]; then
  echo "== ${#failures[@]} check(s) failed:" >&2
  printf '  %s\n' "${failures[@]}" >&2
  exit 1
fi
echo "== $deb: every check passed"
