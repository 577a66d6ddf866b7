#!/usr/bin/env bash
# Installs what is missing, builds, and starts Brookhum in the tray.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
exec build/bin/brookhum
