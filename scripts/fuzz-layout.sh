#!/usr/bin/env bash
# Fuzzes the layout file reader with libFuzzer for a number of seconds
# (default 60). Usage: scripts/fuzz-layout.sh [SECONDS]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
build=${LUMARO_FUZZ_BUILD:-$here/build-fuzz}

CC=clang CXX=clang++ cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DLUMARO_FUZZ=ON -DLUMARO_BUILD_GUI=OFF -DLUMARO_BUILD_CLI=OFF -DLUMARO_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target layout_fuzz layout_fuzz_seeds
corpus="$build/corpus"
"$build/bin/layout_fuzz_seeds" "$corpus"
mkdir -p "$build/artifacts"
"$build/bin/layout_fuzz" -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
  -artifact_prefix="$build/artifacts/" -print_final_stats=1 "$corpus" 2>&1 | tail -n 12
echo "fuzz-layout: ${seconds}s without a finding"
