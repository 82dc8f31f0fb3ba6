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
usage() { echo "usage: scripts/install-deps.sh [--run|--ci]" >&2; exit 2; }
[ $# -le 1 ] || usage
case "${1:-}" in
  --run) ;;
  "") packages+=("${tests[@]}") ;;
  --ci) packages+=("${tests[@]}" debootstrap git) ;;
  *) usage ;;
esac

admindir=()
[ -n "${KIVO_DPKG_ADMINDIR:-}" ] && admindir=(--admindir="$KIVO_DPKG_ADMINDIR")
native="$(dpkg --print-architecture 2>/dev/null || echo amd64)"
# The names of the packages not installed for this machine's architecture.
# One question to dpkg for all of them, so a second start stays quick.
# dpkg-query ends with 1 when it has never heard of one of the names (a
# fresh machine's database knows only what is installed or was listed), yet
# still answers for the others: a name it does not list as installed is
# missing, whatever the reason.
missing_packages() {
  local answer status=0 installed p
  answer="$(dpkg-query "${admindir[@]}" -W -f='${Package} ${Architecture} ${db:Status-Status}\n' "$@" 2>/dev/null)" \
    || status=$?
  if [ "$status" -gt 1 ]; then
    echo "dpkg-query could not read the package database (exit $status); asking apt for every package." >&2
  fi
  installed="$(awk -v arch="$native" '$3 == "installed" && ($2 == arch || $2 == "all") { print $1 }' <<< "$answer")"
  for p in "$@"; do
    grep -qxF "$p" <<< "$installed" || echo "$p"
  done
}
mapfile -t missing < <(missing_packages "${packages[@]}")
[ ${#missing[@]} -eq 0 ] && exit 0

apt_get="${KIVO_APT_GET:-apt-get}"
sudo=()
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null; then
    echo "These packages are missing: ${missing[*]}" >&2
    echo "Installing them needs root: run this as root, or install sudo and be allowed to use it." >&2
    exit 1
  fi
  if ! sudo true; then
    echo "These packages are missing: ${missing[*]}" >&2
    echo "Installing them needs root, and sudo did not allow it." >&2
    exit 1
  fi
  sudo=(sudo)
fi
log="$(mktemp)" || { echo "No temporary file for apt's output: is TMPDIR writable?" >&2; exit 1; }
trap 'rm -f "$log"' EXIT
echo "Installing ${#missing[@]} missing packages (on a fresh machine this takes a few minutes): ${missing[*]}"
apt=("${sudo[@]}" env DEBIAN_FRONTEND=noninteractive DEBCONF_NOWARNINGS=yes)
failed() {
  echo "Could not install the packages the project needs ($1): ${missing[*]}" >&2
  exit 1
}

# The package lists. Another apt (a fresh desktop's own updates) may hold
# them for a while: wait up to five minutes. Any other trouble with a list
# (say a third-party source out of reach) is shown, and the install goes on:
# it says at once whether our packages can be had.
said_waiting=no
for _ in $(seq 60); do
  rc=0
  # The log is read for apt's lock message: in apt's own words.
  "${apt[@]}" LC_ALL=C "$apt_get" update -qq > "$log" 2>&1 || rc=$?
  grep -q "Could not get lock" "$log" || break
  [ "$said_waiting" = yes ] || echo "Waiting for another package manager to finish..."
  said_waiting=yes
  sleep 5
done
if [ $rc -ne 0 ]; then
  cat "$log" >&2
  echo "apt-get update ended with exit $rc; trying to install all the same." >&2
fi

# dpkg's progress goes to the log, shown when something fails; apt's own
# messages (errors, a wait for dpkg's lock) come on stderr as they are.
rc=0
"${apt[@]}" "$apt_get" -oDPkg::Lock::Timeout=300 install -y -qq --no-install-recommends "${missing[@]}" \
  > "$log" || rc=$?
if [ $rc -ne 0 ]; then
  tail -n 20 "$log" >&2
  failed "apt-get install ended with exit $rc"
fi
# All of them again: apt may have removed one to make room for another.
mapfile -t still < <(missing_packages "${packages[@]}")
[ ${#still[@]} -eq 0 ] || failed "apt-get ended well, yet dpkg does not list as installed: ${still[*]}"
echo "Installed: ${missing[*]}"
