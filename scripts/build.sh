#!/usr/bin/env bash
# Configures and builds everything into build/ (programs in build/bin, the
# install folder copied to build/share/lumaro).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cmake -S "$here" -B "$here/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$here/build"
