#!/usr/bin/env bash
# Builds the given benchmark targets in build/, with the benchmarks switched on.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBROOKHUM_BENCHMARKS=ON >/dev/null
cmake --build build --target "$@" >/dev/null
