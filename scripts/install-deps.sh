#!/usr/bin/env bash
# Installs the Debian packages the program, its tests and benchmarks need.
# Only missing packages are installed, so a second run is quick.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-serialport-dev qt6-charts-dev qt6-translations-l10n libqt6opengl6-dev libgl-dev
  libxlsxwriter-dev libminizip-dev libqt6sql6-sqlite libqt6sql6-psql postgresql
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core poppler-utils unzip help2man
  clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
