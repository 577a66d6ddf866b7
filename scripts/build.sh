#!/usr/bin/env bash
# Installs what is missing, then configures and builds Brookhum in build/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
# CI sets BROOKHUM_WERROR=ON: a warning then fails the build.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBROOKHUM_WERROR="${BROOKHUM_WERROR:-OFF}" >/dev/null
cmake --build build
