#!/usr/bin/env bash
# Starts a Windows build of the program under Wine on a private X server (Xvfb), waits until its
# window shows, saves a screenshot and ends the program. Fails when no window shows within three
# minutes (the first start in a new Wine prefix is slow).
#
#   scripts/windows-screenshot.sh PROGRAM.exe [SET_FILE|-] SCREENSHOT.png
#
# WINEPREFIX chooses the Wine prefix (default: the one of `make test-windows`). The program starts
# in a fresh folder, so that no engine setting of a user's is read or written.
set -euo pipefail
program=$(realpath "$1")
set_file=$2
shot=$3
export WINEPREFIX=${WINEPREFIX:-$(cd "$(dirname "$0")/.." && pwd)/build-windows/wineprefix}
export WINEDEBUG=-all

work=$(mktemp -d)
cleanup() {
  wineserver -k 2>/dev/null || true
  [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A Wine server of the prefix still running from a command without a display would keep the
# program's windows off the X server: the program gets a server of its own.
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true

Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$work/display")

# Under Wine, Qt's GDI font engine draws no text in line edits (labels and buttons are fine);
# FreeType draws them all. On Windows itself the program keeps its default.
args=(-platform windows:fontengine=freetype)
[ "$set_file" != - ] && args+=("$(winepath -w "$(realpath "$set_file")")")
(cd "$work" && wine "$program" "${args[@]}" >"$work/program.log" 2>&1 &)

for _ in $(seq 360); do
  if xwininfo -root -tree 2>/dev/null | grep -q '"WinTarvel'; then
    sleep 3  # let it paint
    import -window root "$shot"
    echo "window shown: $(xwininfo -root -tree | grep -o '"WinTarvel[^"]*"' | head -1); screenshot $shot"
    exit 0
  fi
  sleep 0.5
done
echo "no WinTarvel window showed within three minutes" >&2
cat "$work/program.log" >&2
exit 1
