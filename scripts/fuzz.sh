#!/usr/bin/env bash
# Builds the libFuzzer targets once (clang, address and undefined-behaviour
# sanitizers) and runs one of them, or each in turn, for a number of seconds
# (default 60 each). Usage: scripts/fuzz.sh TARGET|all [SECONDS]
#   layout       the layout file reader
#   operations   "Creat Data", the scene conversion, the port table and the firmware
#                sources on any layout that loads
#   ini          the INI reader and writer
#   colour_data  the colour data file "ColorData.sav"
#   firmware_data  "CData.h" read back from damaged port and table files
#   placement    the demo window's picture placement file ("bmp.h")
# Targets run side by side, one per core (LUMARO_FUZZ_JOBS). A finding fails
# the run; the input that caused it is in build-fuzz/artifacts/,
# the fuzzer's report in build-fuzz/TARGET.log.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
targets=(layout operations ini colour_data firmware_data placement)
usage() { echo "usage: scripts/fuzz.sh $(IFS='|'; echo "${targets[*]}")|all [SECONDS]" >&2; exit 2; }

[ $# -ge 1 ] && [ $# -le 2 ] || usage
if [ "$1" = all ]; then
  chosen=("${targets[@]}")
elif [[ " ${targets[*]} " == *" $1 "* ]]; then
  chosen=("$1")
else
  usage
fi
seconds=${2:-60}
[[ "$seconds" =~ ^[0-9]+$ ]] || usage
build=${LUMARO_FUZZ_BUILD:-$here/build-fuzz}

CC=clang CXX=clang++ cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DLUMARO_FUZZ=ON -DLUMARO_BUILD_GUI=OFF -DLUMARO_BUILD_CLI=OFF -DLUMARO_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target fuzz_seeds "${chosen[@]/%/_fuzz}"
mkdir -p "$build/artifacts"

# One target's run; its report goes to its log.
fuzz_one() {
  local target=$1 corpus="$build/corpus/$1" log="$build/$1.log"
  "$build/bin/fuzz_seeds" "$target" "$corpus" >"$log" 2>&1
  "$build/bin/${target}_fuzz" -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$build/artifacts/$target-" -print_final_stats=1 "$corpus" >>"$log" 2>&1
}

# As many targets at once as there are cores; each still runs its full time.
jobs=${LUMARO_FUZZ_JOBS:-$(nproc)}
declare -A pids=()
failed=()
for target in "${chosen[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do sleep 1; done
  echo "== fuzzing $target for ${seconds}s"
  fuzz_one "$target" &
  pids[$target]=$!
done
for target in "${chosen[@]}"; do
  log="$build/$target.log"
  if wait "${pids[$target]}"; then
    tail -n 6 "$log"
    echo "fuzz $target: ${seconds}s without a finding"
  else
    tail -n 60 "$log"
    echo "fuzz $target: a finding; the whole report is in $log, the input in $build/artifacts/" >&2
    failed+=("$target")
  fi
done
[ ${#failed[@]} -eq 0 ] || exit 1
