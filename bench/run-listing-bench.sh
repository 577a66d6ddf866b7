#!/usr/bin/env bash
# Builds and runs the directory listing benchmark; prints a table.
# Usage: bench/run-listing-bench.sh [files-per-directory] [rounds]
set -euo pipefail
cd "$(dirname "$0")/.."
bench/build.sh listing_bench
build/bin/listing_bench "$@"
