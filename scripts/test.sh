#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless (the
# package test only when asked for).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
build=${ZELVORA_BUILD_DIR:-build}
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR=$(mktemp -d)
chmod 700 "$XDG_RUNTIME_DIR"
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
# The package test builds, lints and starts the whole Debian package, which
# takes about a minute; it runs on its own: scripts/test.sh -L package.
(($#)) || set -- -LE package
ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)" "$@"
