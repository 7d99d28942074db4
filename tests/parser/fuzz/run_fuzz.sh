#!/usr/bin/env bash
# Runs the expression fuzz target for FUZZ_SECONDS (default 60) on its seed
# corpus; new inputs it finds go to a work corpus beside the binary.
# Usage: run_fuzz.sh <fuzz binary> <seed corpus dir>
set -euo pipefail
binary=$1
seeds=$2
if [[ ! -x "$binary" ]]; then
  echo "parser fuzz test skipped: clang++ with libFuzzer was not found when configuring"
  exit 77
fi
work="$(dirname "$binary")/corpus"
mkdir -p "$work"
exec "$binary" -max_total_time="${FUZZ_SECONDS:-60}" -max_len=2048 -timeout=10 -rss_limit_mb=4096 \
  -print_final_stats=1 "$work" "$seeds"
