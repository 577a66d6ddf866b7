#!/usr/bin/env bash
# Repaints Brookhum's built-in pictures into src/resources/pictures/ and the
# application icon's theme sizes into data/icons/hicolor/.
# Extra arguments go to the painter, e.g. --sheet /tmp/pictures.png writes an
# enlarged contact sheet for checking them by eye.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${BROOKHUM_BUILD_DIR:-$root/build}

if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja
fi
cmake --build "$build" --target draw_pictures

runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
chmod 0700 "$runtime"
QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$runtime" \
  "$build/bin/draw_pictures" "$root/src/resources/pictures" \
  --icon-theme "$root/data/icons/hicolor" "$@"
