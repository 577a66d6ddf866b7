#!/usr/bin/env bash
# Builds and runs the track-change benchmark; prints a table.
# Usage: bench/run-track-change-bench.sh [changes per format]
set -euo pipefail
cd "$(dirname "$0")/.."
bench/build.sh track_change_bench
build/bin/track_change_bench "$@"
