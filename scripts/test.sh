#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test. Needs no display and
# no sound device: the end-to-end tests start their own headless desktop.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
cd build
ctest --output-on-failure --parallel "$(nproc)"
