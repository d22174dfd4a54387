#!/usr/bin/env bash
# Installs the Debian packages the build, the programs and the tests need
# (or the packages named as arguments), skipping the whole step when every
# one of them is already there.
set -euo pipefail

packages=("$@")
[ ${#packages[@]} -ne 0 ] || packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-serialport-dev qt6-qpa-plugins qt6-translations-l10n libgl-dev
  nlohmann-json3-dev libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev clang-format
  sdcc sdcc-ucsim srecord libgif-dev
  libavcodec-dev libavformat-dev libswscale-dev libavutil-dev
  xvfb xauth imagemagick fonts-wqy-microhei fonts-dejavu-core
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo=sudo
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
