#!/usr/bin/env bash
# Prepares the folder `make run` starts the program in: the example study, and a wintvl.cfg that
# names the built stand-in engine, written only when the folder has none yet.
set -euo pipefail
dir=$1
build=$2
mkdir -p "$dir"
if [ ! -e "$dir/wintvl.cfg" ]; then
  printf 'tvlpath %s\r\n' "$build/engine/tarvel.exe" > "$dir/wintvl.cfg"
fi
if [ -d examples ]; then
  for f in examples/*; do
    [ -f "$f" ] && [ ! -e "$dir/$(basename "$f")" ] && cp "$f" "$dir/"
  done
fi
exit 0
