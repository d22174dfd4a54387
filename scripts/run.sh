#!/usr/bin/env bash
# Installs what is missing, builds, and starts lumaro on the shipped install
# folder (build/share/lumaro, a copy of data/). Arguments go to lumaro.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh"
"$here/scripts/build.sh"
exec "$here/build/bin/lumaro" "$@"
