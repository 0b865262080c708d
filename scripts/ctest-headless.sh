#!/usr/bin/env bash
# Runs ctest in a build folder without a display: the offscreen platform and
# a private runtime folder that is removed afterwards. Without ctest options
# every test but the package test runs; that one builds, lints and starts
# the whole Debian package, which takes about a minute, and runs on its own
# (-L package).
# Usage: scripts/ctest-headless.sh BUILD_DIR [ctest options...]
set -euo pipefail
build=${1:?ctest-headless.sh needs a build folder}
shift
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR=$(mktemp -d)
chmod 700 "$XDG_RUNTIME_DIR"
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
(($#)) || set -- -LE package
ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)" "$@"
