#!/usr/bin/env bash
# Checks the Windows installer under Wine, in a throwaway Wine prefix: for an all-users and then
# a per-user install it installs silently, checks the program's files, the Start-menu shortcut and
# the .set file type, starts the installed program and waits for its window, then uninstalls
# silently and checks that everything it installed is gone.
#
#   scripts/check-windows-installer.sh dist/WinTarvel-VERSION-setup.exe [SCREENSHOT_FOLDER]
set -euo pipefail
setup=$(realpath "$1")
shots=${2:-$(dirname "$setup")}
repo=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX
WINEPREFIX=$(mktemp -d)/wineprefix
export WINEDEBUG=-all
trap 'wineserver -k 2>/dev/null || true; rm -rf "$(dirname "$WINEPREFIX")"' EXIT
DISPLAY='' wineboot --init
wineserver -w

fail() {
  echo "installer check failed: $*" >&2
  exit 1
}
# A value of the registry, empty when it is missing.
registry_value() {
  wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_SZ *//p"
}
shortcuts() { find "$WINEPREFIX/drive_c" -name 'WinTarvel.lnk' 2>/dev/null; }

for mode in AllUsers CurrentUser; do
  root=HKLM
  [ $mode = CurrentUser ] && root=HKCU
  echo "== $mode: install"
  DISPLAY='' wine "$setup" /S /$mode
  wineserver -w
  install_dir=$(registry_value "$root\\Software\\WinTarvel" InstallDir)
  [ -n "$install_dir" ] || fail "$mode: no install folder in $root\\Software\\WinTarvel"
  unix_dir=$(winepath -u "$install_dir")
  for f in wintarvel.exe Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll platforms/qwindows.dll \
    styles/qwindowsvistastyle.dll engine/tarvel.exe examples/roommate.set LICENSE.txt uninstall.exe; do
    [ -f "$unix_dir/$f" ] || fail "$mode: $install_dir has no $f"
  done
  [ -n "$(shortcuts)" ] || fail "$mode: no Start-menu shortcut"
  command=$(wine reg query "$root\\Software\\Classes\\WinTarvel.SetFile\\shell\\open\\command" /ve \
    2>/dev/null | tr -d '\r' | grep REG_SZ || true)
  [[ "$command" == *wintarvel.exe* ]] || fail "$mode: .set files do not open with the program"
  echo "installed in $install_dir; shortcut $(shortcuts); .set opens with: $command"

  echo "== $mode: start the installed program"
  "$repo/scripts/windows-screenshot.sh" "$unix_dir/wintarvel.exe" - "$shots/installed-$mode.png"

  echo "== $mode: uninstall"
  DISPLAY='' wine "$install_dir\\uninstall.exe" /S
  wineserver -w
  [ ! -e "$unix_dir" ] || fail "$mode: $install_dir is still there: $(find "$unix_dir" | head)"
  [ -z "$(shortcuts)" ] || fail "$mode: the shortcut is still there"
  [ -z "$(registry_value "$root\\Software\\WinTarvel" InstallDir)" ] || fail "$mode: registry key left"
  wine reg query "$root\\Software\\Classes\\WinTarvel.SetFile" >/dev/null 2>&1 &&
    fail "$mode: the .set file type is still registered"
  echo "$mode: installed, started and uninstalled"
done
echo "installer check passed"
