#!/usr/bin/env bash
# Configures and builds into build/ (or $ZELVORA_BUILD_DIR) on every core.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${ZELVORA_BUILD_DIR:-build}
# Relative paths in the compiler cache let work trees share it.
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$build" --parallel "$(nproc)"
