#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test; then builds again
# with AddressSanitizer and UndefinedBehaviorSanitizer (in build-asan/) and
# runs the unit tests there. Needs no display and no sound device: the
# end-to-end tests start their own headless desktop.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
ctest --test-dir build --output-on-failure --parallel "$(nproc)"

# CI sets BROOKHUM_WERROR=ON: a warning then fails this build too.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBROOKHUM_SANITIZE=address,undefined \
  -DBROOKHUM_WERROR="${BROOKHUM_WERROR:-OFF}" >/dev/null
cmake --build build-asan
ctest --test-dir build-asan -L unit --output-on-failure --parallel "$(nproc)"
