#!/usr/bin/env bash
# Runs every fuzz target longer than the tests do: scripts/fuzz.sh [SECONDS]
# (default 600 each, two at a time), or scripts/fuzz.sh SECONDS -R NAME for
# one. The corpora grow in build-sanitize/bin/fuzz-corpus/ and findings are
# kept beside the fuzzers.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
(($#)) && shift
ZELVORA_FUZZ_SECONDS=$seconds exec scripts/sanitize.sh -L fuzz "$@"
