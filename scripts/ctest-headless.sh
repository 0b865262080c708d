#!/usr/bin/env bash
# Runs ctest in a build folder without a display: the offscreen platform and
# a private runtime folder that is removed afterwards.
# Usage: scripts/ctest-headless.sh BUILD_DIR [ctest options...]
set -euo pipefail
build=${1:?ctest-headless.sh needs a build folder}
shift
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR=$(mktemp -d)
chmod 700 "$XDG_RUNTIME_DIR"
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)" "$@"
