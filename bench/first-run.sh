#!/usr/bin/env bash
# How long a newcomer waits for the first ./run.sh: a fresh clone of this
# checkout's HEAD, the packages already installed, from ./run.sh until the
# program's window is up (off screen, as CI has it). The README quotes it.
#   bench/first-run.sh [ROUNDS]      (default 1)
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
rounds="${1:-1}"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
for ((round = 1; round <= rounds; round++)); do
  work="$(mktemp -d)"
  git clone -q "$here" "$work/kivo"
  KIVO_ELAPSED_FILE="$work/elapsed" "$here/scripts/run-until-window.sh" "$work/kivo" 900 >/dev/null
  echo "round $round: $(cat "$work/elapsed") s from a fresh clone to the window ($(nproc) cores, load $(cut -d' ' -f1 /proc/loadavg) at the end)"
  rm -rf "$work"
done
