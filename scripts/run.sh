#!/usr/bin/env bash
# Installs what is missing, builds, and starts lumaro on the shipped install
# folder (build/share/lumaro, a copy of data/). Arguments go to lumaro;
# without any it opens the sample project Sample/Facade.LED from its own
# folder, where the port table and the firmware image are written.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh"
"$here/scripts/build.sh"
if [ $# -eq 0 ]; then
  cd "$here/build/share/lumaro/Sample"
  set -- "$PWD/Facade.LED"
fi
exec "$here/build/bin/lumaro" "$@"
