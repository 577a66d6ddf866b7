#!/usr/bin/env bash
# Builds and runs the settings store benchmark; prints a table.
# Usage: bench/run-settings-bench.sh [megabytes] [rounds]
set -euo pipefail
cd "$(dirname "$0")/.."
bench/build.sh settings_bench
build/bin/settings_bench "$@"
