#!/usr/bin/env bash
# Installs what is missing, checks the formatting of the sources, builds,
# and runs every test: the core tests once
# more under the address and undefined-behaviour sanitizers, the tests of
# code that runs threads under the thread sanitizer, a short run of each fuzz
# target, the Debian package when LUMARO_PACKAGE_TEST=1, then the whole
# suite (its summary comes last).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
export QT_QPA_PLATFORM=offscreen

"$here/scripts/setup.sh"
echo "== formatting"
"$here/scripts/format.sh" check
"$here/scripts/build.sh"

echo "== core tests under ASan+UBSan"
cmake -S "$here" -B "$here/build-asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DLUMARO_SANITIZE=ON \
  -DLUMARO_BUILD_GUI=OFF -DLUMARO_BUILD_CLI=OFF -DLUMARO_BUILD_BENCH=OFF >/dev/null
cmake --build "$here/build-asan" --target core_tests
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir "$here/build-asan" --output-on-failure -j2

echo "== threads under TSan"
cmake -S "$here" -B "$here/build-tsan" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMARO_TSAN=ON \
  -DLUMARO_BUILD_CLI=OFF -DLUMARO_BUILD_BENCH=OFF >/dev/null
cmake --build "$here/build-tsan" --target core_tests gui_tests
# The suites whose code starts threads.
TSAN_OPTIONS=halt_on_error=1 "$here/build-tsan/bin/core_tests" --gtest_filter='SteadyDemoClock*:DemoPlayer*:DemoTrace*'
TSAN_OPTIONS="halt_on_error=1 suppressions=$here/tests/tsan.supp" "$here/build-tsan/bin/gui_tests" --gtest_filter='ModePreview*:DemoView*'

echo "== fuzzing"
"$here/scripts/fuzz.sh" all "${LUMARO_FUZZ_SECONDS:-10}"

if [ "${LUMARO_PACKAGE_TEST:-0}" = 1 ]; then
  echo "== Debian package"
  "$here/scripts/package.sh"
fi

echo "== all tests"
ctest --test-dir "$here/build" --output-on-failure -j2
