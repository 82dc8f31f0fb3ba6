#!/usr/bin/env bash
# Installs the Debian packages the project needs. Only missing packages are
# installed, so a second run is quick.
#   scripts/install-deps.sh          what the tests, benchmarks and the
#                                    Debian package need (./test.sh)
#   scripts/install-deps.sh --run    only what building and running the
#                                    program needs (./run.sh)
#   scripts/install-deps.sh --ci     the tests' packages and what .ci/run
#                                    needs to make a fresh Debian root
# Two variables point it elsewhere, for its own test:
#   KIVO_DPKG_ADMINDIR   the dpkg database to ask (default: the system's)
#   KIVO_APT_GET         the apt-get to run (default: apt-get)
set -euo pipefail

# Everything the build includes: a header of one of these pulls in the next
# (minizip's unzip.h includes zlib.h), so each is named here.
packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-serialport-dev qt6-charts-dev qt6-translations-l10n libqt6opengl6-dev libgl-dev
  libxlsxwriter-dev libminizip-dev zlib1g-dev libqt6sql6-sqlite fonts-dejavu-core
)
tests=(
  libqt6sql6-psql postgresql
  libgtest-dev libgmock-dev libbenchmark-dev
  poppler-utils unzip help2man
  clang libclang-rt-14-dev
  dpkg-dev lintian desktop-file-utils appstream
)
case "${1:-}" in
  --run) ;;
  "") packages+=("${tests[@]}") ;;
  --ci) packages+=("${tests[@]}" debootstrap git) ;;
  *) echo "usage: scripts/install-deps.sh [--run|--ci]" >&2; exit 2 ;;
esac

# One question to dpkg for all of them, so a second start stays quick.
# dpkg-query ends with 1 when it has never heard of one of the names (a
# fresh machine's database knows only what is installed or was listed), yet
# still answers for the others: a name it does not list as installed is
# missing, whatever the reason.
admindir=()
[ -n "${KIVO_DPKG_ADMINDIR:-}" ] && admindir=(--admindir="$KIVO_DPKG_ADMINDIR")
status=0
answer="$(dpkg-query "${admindir[@]}" -W -f='${Package} ${db:Status-Status}\n' "${packages[@]}" 2>/dev/null)" || status=$?
if [ "$status" -gt 1 ]; then
  echo "dpkg-query could not read the package database (exit $status); asking apt for every package." >&2
fi
installed="$(awk '$2 == "installed" { print $1 }' <<< "$answer")"
missing=()
for p in "${packages[@]}"; do
  grep -qxF "$p" <<< "$installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

apt_get="${KIVO_APT_GET:-apt-get}"
sudo=()
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null; then
    echo "These packages are missing: ${missing[*]}" >&2
    echo "Installing them needs root: run this as root, or install sudo and be allowed to use it." >&2
    exit 1
  fi
  sudo=(sudo)
fi
echo "Installing ${#missing[@]} missing packages (on a fresh machine this takes a few minutes): ${missing[*]}"
# dpkg's progress goes to a log, shown only when something fails; apt-get's
# errors come on stderr as they are, and this names what could not be had.
log="$(mktemp)"
trap 'rm -f "$log"' EXIT
failed() {
  tail -n 20 "$log" >&2
  echo "Could not install the packages the project needs (apt-get $1 ended with exit $2): ${missing[*]}" >&2
  exit 1
}
# A fresh desktop often runs its own updates first: wait for them a while.
apt=("${sudo[@]}" env DEBIAN_FRONTEND=noninteractive "$apt_get" -oDPkg::Lock::Timeout=300)
rc=0
"${apt[@]}" update -qq > "$log" || rc=$?
[ $rc -eq 0 ] || failed update $rc
"${apt[@]}" install -y -qq --no-install-recommends "${missing[@]}" > "$log" || rc=$?
[ $rc -eq 0 ] || failed install $rc
echo "Installed: ${missing[*]}"
