#!/usr/bin/env bash
# The long scan: builds the benchmark tree (build-bench/) and scans for
# MINUTES (default 30) over the simulator's 9600-baud line with lost,
# spoiled and stray replies. Usage: bench/scan_soak.sh [MINUTES]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
ZELVORA_BUILD_DIR=build-bench scripts/build.sh -DZELVORA_BUILD_BENCH=ON
exec build-bench/bin/scan_soak "${1:-30}"
