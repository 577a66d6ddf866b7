#!/usr/bin/env bash
# Builds and runs the loudness benchmark on every General MIDI soundfont
# installed (TimGM6mb, FluidR3); prints a table (about a minute).
set -euo pipefail
cd "$(dirname "$0")/.."
bench/build.sh loudness_bench
fonts=()
for sf in /usr/share/sounds/sf2/TimGM6mb.sf2 /usr/share/sounds/sf2/FluidR3_GM.sf2; do
  [[ -f $sf ]] && fonts+=("$sf")
done
build/bin/loudness_bench "${fonts[@]}"
