#!/usr/bin/env bash
# Installs the Debian packages the project needs. Only missing packages are
# installed, so a second run is quick.
#   scripts/install-deps.sh          what the tests, benchmarks and the
#                                    Debian package need (./test.sh, CI)
#   scripts/install-deps.sh --run    only what building and running the
#                                    program needs (./run.sh)
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-serialport-dev qt6-charts-dev qt6-translations-l10n libqt6opengl6-dev libgl-dev
  libxlsxwriter-dev libminizip-dev libqt6sql6-sqlite fonts-dejavu-core
)
if [ "${1:-}" != --run ]; then
  packages+=(
    libqt6sql6-psql postgresql
    libgtest-dev libgmock-dev libbenchmark-dev
    poppler-utils unzip help2man
    clang libclang-rt-14-dev
    dpkg-dev lintian desktop-file-utils appstream
  )
fi

# One question to dpkg for all of them: a second start stays quick.
installed="$(dpkg-query -W -f='${Package} ${Status}\n' "${packages[@]}" 2>/dev/null | awk '/install ok installed/ { print $1 }')"
missing=()
for p in "${packages[@]}"; do
  grep -qx "$p" <<< "$installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
