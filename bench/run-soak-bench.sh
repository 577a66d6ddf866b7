#!/usr/bin/env bash
# Thousands of file changes through the real engine and GStreamer player:
# plays, notifications, order and resident memory as it goes (a few minutes).
#
# Usage: bench/run-soak-bench.sh [changes]   (default 2000)
set -euo pipefail
cd "$(dirname "$0")/.."
bench/build.sh soak_bench
build/bin/soak_bench "$@"
