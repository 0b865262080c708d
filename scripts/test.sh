#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless (the
# package test only when asked for: scripts/test.sh -L package).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
exec scripts/ctest-headless.sh "${ZELVORA_BUILD_DIR:-build}" "$@"
