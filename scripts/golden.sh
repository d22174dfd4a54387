#!/usr/bin/env bash
# The sample project's outputs kept in tests/golden: the firmware sources,
# "cport.h" and a short trace of each program group's play.
#   scripts/golden.sh check CLI    compares them byte for byte (the test)
#   scripts/golden.sh update CLI   rewrites them after an intended change
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
mode=${1:?check or update}
cli=${2:?path of lumaro-cli}
golden="$here/tests/golden"
sample="$here/data/Sample/Facade.LED"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

"$cli" emit "$sample" -o "$out" --format 2 >/dev/null
for g in 0 1 2; do
  "$cli" render "$sample" --group "$g" --duration 3000 --trace "$out/group$g.trace"
done

if [ "$mode" = update ]; then
  mkdir -p "$golden"
  rm -f "$golden"/*
  cp "$out"/* "$golden"/
  echo "rewrote $(ls "$golden" | wc -l) golden files"
  exit 0
fi
status=0
for f in "$golden"/*; do
  name=$(basename "$f")
  if ! cmp -s "$f" "$out/$name"; then
    echo "golden file $name differs:"
    diff -u "$f" "$out/$name" | head -40 || true
    status=1
  fi
done
for f in "$out"/*; do
  [ -e "$golden/$(basename "$f")" ] || { echo "new output $(basename "$f") has no golden file"; status=1; }
done
[ $status = 0 ] && echo "golden files match"
exit $status
