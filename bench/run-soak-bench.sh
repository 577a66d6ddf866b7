#!/usr/bin/env bash
# A long run of unattended play through the real engine and GStreamer player:
# 200 short files in ten directory slots, directory repetition switched every
# minute; resident memory, threads and open descriptors every 30 seconds.
#
# Usage: bench/run-soak-bench.sh [minutes]   (default 10)
set -euo pipefail
cd "$(dirname "$0")/.."
bench/build.sh soak_bench
build/bin/soak_bench "$@"
