#!/usr/bin/env bash
# Builds the Debian package into build-package/ (a release build of the
# programs only) and checks it: the files an installation needs are in it
# and lintian reports no error.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build="$here/build-package"

"$here/scripts/setup.sh"
"$here/scripts/setup.sh" dpkg-dev lintian desktop-file-utils fakeroot file

launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DLUMARO_BUILD_TESTS=OFF -DLUMARO_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build "$build"

echo "== desktop entries"
desktop-file-validate "$here"/packaging/*.desktop

echo "== package"
rm -f "$build"/lumaro_*.deb
(cd "$build" && cpack -G DEB)
debs=("$build"/lumaro_*.deb)
deb=${debs[0]}
echo "$deb"

echo "== contents"
listed=$(dpkg-deb -c "$deb" | awk '{print $6}')
expected=(
  ./usr/bin/lumaro ./usr/bin/lumaro-cli ./usr/bin/lumaro-start
  ./usr/share/lumaro/Mullanguage/Setting.ini ./usr/share/lumaro/Mullanguage/English.ini
  ./usr/share/lumaro/ColorData.sav ./usr/share/lumaro/sys/main.c
  ./usr/share/lumaro/Lumaro1 ./usr/share/lumaro/Lumaro2
  ./usr/share/applications/lumaro.desktop ./usr/share/applications/lumaro-start.desktop
  ./usr/share/mime/packages/lumaro.xml
  ./usr/share/doc/lumaro/copyright ./usr/share/doc/lumaro/changelog.Debian.gz
  ./usr/share/man/man1/lumaro.1.gz
)
for size in 16 32 48 64 128 256; do
  expected+=("./usr/share/icons/hicolor/${size}x${size}/apps/lumaro.png"
             "./usr/share/icons/hicolor/${size}x${size}/apps/lumaro-start.png")
done
status=0
for f in "${expected[@]}"; do
  if ! grep -qxF "$f" <<<"$listed"; then
    echo "missing from the package: $f" >&2
    status=1
  fi
done
if grep -qxF ./usr/bin/start <<<"$listed"; then
  echo "the package installs a bare /usr/bin/start" >&2
  status=1
fi
dpkg-deb -f "$deb" Package Version Architecture Depends

echo "== lintian"
lintian --no-tag-display-limit "$deb" | tee "$build/lintian.log" || true
if grep -q '^E:' "$build/lintian.log"; then
  echo "lintian reports errors" >&2
  status=1
fi
[ "$status" -eq 0 ] && echo "package ok: $deb"
exit "$status"
