#!/usr/bin/env bash
# Runs a fuzz target for ZELVORA_FUZZ_SECONDS (20 unless set) over its seed
# folders and the corpus it grew in earlier runs, which is kept in the build
# folder. A finding is kept beside the fuzzer for a rerun.
# Usage: run_fuzzer.sh FUZZER [libFuzzer options] SEED_DIR...
set -euo pipefail
fuzzer=$(realpath "$1")
shift
name=$(basename "$fuzzer")
bin=$(dirname "$fuzzer")
corpus=$bin/fuzz-corpus/$name
mkdir -p "$corpus"
"$fuzzer" -max_total_time="${ZELVORA_FUZZ_SECONDS:-20}" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
  -artifact_prefix="$bin/$name-" "$corpus" "$@" 2>&1 | tail -n 25
