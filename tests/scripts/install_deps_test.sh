#!/usr/bin/env bash
# The dependency script against a made-up dpkg database: some listed
# packages installed, some known to dpkg but not installed, some it has never
# heard of. apt-get is a stand-in that records what it is asked.
#   install_deps_test.sh PATH/TO/install-deps.sh
set -uo pipefail
script="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
passed=0
failed=0
check() { # NAME CONDITION...
  local name="$1"; shift
  if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $name" >&2; fi
}

# The database: cmake and ninja-build installed, qt6-base-dev and
# zlib1g-dev removed with their configuration kept or purged, pkg-config
# half-configured, libgl-dev installed for another architecture only, the
# rest unknown.
db="$work/dpkg"
mkdir -p "$db/updates" "$db/info"
native="$(dpkg --print-architecture)"
entry() { printf 'Package: %s\nStatus: %s\nArchitecture: %s\nVersion: 1\n\n' "$1" "$2" "${3:-$native}"; }
{
  entry cmake "install ok installed"
  entry ninja-build "hold ok installed"
  entry qt6-base-dev "deinstall ok config-files"
  entry zlib1g-dev "purge ok not-installed"
  entry pkg-config "install ok half-configured"
  entry libgl-dev "install ok installed" i386
} > "$db/status"

# apt-get and sudo stand-ins: apt-get records its arguments and enters what
# it installs into the database; APT_FAILS makes it fail as apt does for a
# package it cannot find, APT_LIES end well without installing, APT_LOCKED
# find the lists locked on its first update.
bin="$work/bin"
mkdir -p "$bin"
cat > "$bin/apt-get" <<'STANDIN'
#!/bin/bash
echo "$*" >> "$APT_RECORD"
if [[ " $* " == *" update "* && -n "${APT_LOCKED:-}" && ! -e "$APT_RECORD.locked" ]]; then
  touch "$APT_RECORD.locked"
  echo "E: Could not get lock /var/lib/apt/lists/lock. It is held by process 1 (apt-get)" >&2
  exit 100
fi
[[ " $* " == *" install "* ]] || exit 0
if [ -n "${APT_FAILS:-}" ]; then
  echo "E: Unable to locate package libxlsxwriter-dev" >&2
  exit 100
fi
[ -n "${APT_LIES:-}" ] && exit 0
status="$KIVO_DPKG_ADMINDIR/status"
for p in "$@"; do
  case "$p" in -*|install) continue ;; esac
  awk -v p="Package: $p" 'BEGIN { RS = ""; ORS = "\n\n" } $1 " " $2 != p' "$status" > "$status.new"
  printf 'Package: %s\nStatus: install ok installed\nArchitecture: all\nVersion: 1\n\n' "$p" >> "$status.new"
  mv "$status.new" "$status"
done
STANDIN
printf '#!/bin/sh\nexec "$@"\n' > "$bin/sudo"
chmod +x "$bin/apt-get" "$bin/sudo"

run() { # OUTPUT_PREFIX ARGS...
  local out="$1"; shift
  APT_RECORD="$work/$out.apt" KIVO_DPKG_ADMINDIR="$db" KIVO_APT_GET="$bin/apt-get" PATH="$bin:$PATH" \
    bash "$script" "$@" > "$work/$out.stdout" 2> "$work/$out.stderr"
  echo $? > "$work/$out.rc"
}

# --run: everything but cmake and ninja-build is asked for, by name, once.
cp "$db/status" "$work/status.first"
run run --run
expected="build-essential pkg-config qt6-base-dev qt6-serialport-dev qt6-charts-dev qt6-translations-l10n libqt6opengl6-dev libgl-dev libxlsxwriter-dev libminizip-dev zlib1g-dev libqt6sql6-sqlite fonts-dejavu-core"
check "the script succeeds" [ "$(cat "$work/run.rc")" = 0 ]
check "apt-get updates first" grep -qx -- "update -qq" "$work/run.apt"
install_line="$(sed -n 2p "$work/run.apt" 2>/dev/null)"
asked="$(tr ' ' '\n' <<< "$install_line" | grep -v '^-' | grep -v '^install$' | sort | tr '\n' ' ')"
want="$(tr ' ' '\n' <<< "$expected" | sort | tr '\n' ' ')"
check "every missing package and nothing else is asked for (asked: $asked)" [ "$asked" = "$want" ]
check "apt-get is called twice" [ "$(wc -l < "$work/run.apt" 2>/dev/null)" = 2 ]
check "the packages installed are named" grep -q "zlib1g-dev" "$work/run.stdout"

# The tests' list asks for more, still not the installed ones.
cp "$work/status.first" "$db/status"
run full
check "the full list asks for the tests' packages" grep -q "libgtest-dev" "$work/full.apt"
check "the full list leaves installed packages alone" bash -c "! grep -qw -e cmake -e ninja-build '$work/full.apt'"

# Nothing missing: apt-get is not called at all.
{
  for p in $expected; do entry "$p" "install ok installed"; done
  entry cmake "install ok installed"
  entry ninja-build "install ok installed"
} > "$db/status"
run none --run
check "nothing missing: exit 0" [ "$(cat "$work/none.rc")" = 0 ]
check "nothing missing: apt-get not called" [ ! -e "$work/none.apt" ]

# apt fails: the script fails, apt's own message is shown and the script
# says what it could not install.
for p in $expected; do [ "$p" = zlib1g-dev ] || entry "$p" "install ok installed"; done > "$db/status"
APT_FAILS=1 run fails --run
check "a failing apt-get fails the script" [ "$(cat "$work/fails.rc")" != 0 ]
check "apt-get's message is shown" grep -q "Unable to locate package" "$work/fails.stderr"
check "the script names what it could not install" grep -q "Could not install.*zlib1g-dev" "$work/fails.stderr"

# apt-get ends well without installing: the script does not believe it.
cp "$work/status.first" "$db/status"
APT_LIES=1 run lies --run
check "an install that did not happen fails the script" [ "$(cat "$work/lies.rc")" != 0 ]
check "it names what is still missing" grep -q "does not list as installed: .*zlib1g-dev" "$work/lies.stderr"

# The package lists locked by another apt: the script waits and goes on.
cp "$work/status.first" "$db/status"
APT_LOCKED=1 run locked --run
check "a locked list is waited for" [ "$(cat "$work/locked.rc")" = 0 ]
check "the wait is said" grep -q "Waiting for another package manager" "$work/locked.stdout"

# An unknown option is refused.
run bad --frobnicate
check "an unknown option is refused with exit 2" [ "$(cat "$work/bad.rc")" = 2 ]

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
