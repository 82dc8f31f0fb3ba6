#!/usr/bin/env bash
# Starts ./run.sh in a checkout as a newcomer would, waits until the
# program's window is up (off screen when there is no display), ends it, and
# says how long it took.
#   scripts/run-until-window.sh CHECKOUT [SECONDS]   (default 1800)
# Exit 0 when the window came up and stayed up, 1 when not, 2 on bad words.
set -uo pipefail
usage() { echo "usage: scripts/run-until-window.sh CHECKOUT [SECONDS]" >&2; exit 2; }
[ $# -ge 1 ] && [ $# -le 2 ] || usage
checkout="$(cd "$1" 2>/dev/null && pwd)" && [ -x "$checkout/run.sh" ] || { echo "No run.sh in $1" >&2; usage; }
limit="${2:-1800}"
[[ "$limit" =~ ^[0-9]+$ ]] || usage
work="$(mktemp -d)" || exit 1
pid=""
# The program, its simulated gauge and all run.sh started end with this
# script, however it ends: TERM to the whole session, KILL for what stays.
end_run() {
  [ -n "$pid" ] || return 0
  kill -TERM -- "-$pid" 2>/dev/null || kill -TERM "$pid" 2>/dev/null
  for _ in $(seq 50); do
    kill -0 -- "-$pid" 2>/dev/null || kill -0 "$pid" 2>/dev/null || break
    sleep 0.2
  done
  kill -KILL -- "-$pid" 2>/dev/null
  kill -KILL "$pid" 2>/dev/null
  pid=""
}
trap 'end_run; rm -rf "$work"' EXIT
trap 'echo "Interrupted." >&2; exit 130' INT
trap 'echo "Interrupted." >&2; exit 143' TERM HUP
log="$work/run.log"
# Only a log written by this start counts, not one left by an earlier one.
touch "$work/started"
sleep 1

start=$(date +%s.%N)
SECONDS=0
# A session of its own, so the program and the simulated gauge end with it.
(cd "$checkout" && exec setsid ./run.sh) > "$log" 2>&1 < /dev/null &
pid=$!
# The program writes its start (its folders) into its log once its window
# is made; that log lies in the demo's own settings folder.
window_log() {
  find "$checkout/build-run/demo/config" -name '*Log*.txt' -newer "$work/started" \
    -exec grep -l "MessDataPath" {} + 2>/dev/null
}
up=no
while kill -0 "$pid" 2>/dev/null && [ "$SECONDS" -lt "$limit" ]; do
  if [ -n "$(window_log)" ]; then
    up=yes
    break
  fi
  sleep 0.2
done
elapsed=$(awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { printf "%.1f", b - a }')
# Still there a moment later: the window did not fall over on its first steps.
if [ "$up" = yes ]; then
  sleep 3
  kill -0 "$pid" 2>/dev/null || up=no
fi
if kill -0 "$pid" 2>/dev/null; then
  ended="was ended after $SECONDS s"
else
  wait "$pid"
  ended="ended with exit $?"
fi
end_run
if [ "$up" != yes ]; then
  echo "./run.sh did not bring the window up: it $ended. It said:" >&2
  tail -n 40 "$log" >&2
  exit 1
fi
echo "./run.sh brought the window up after $elapsed s"
echo "$elapsed" > "${KIVO_ELAPSED_FILE:-/dev/null}"
