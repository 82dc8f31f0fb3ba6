#!/usr/bin/env bash
# Times a download of 5000 readings from the gauge simulator paced at
# 38400 baud, against the time the bytes need on the wire.
#   bench/download_timing.sh [BUILD_DIR]
set -euo pipefail
build="$(cd "${1:-build}" && pwd)"
work="$(mktemp -d)"
trap 'kill "${sim_pid:-0}" 2>/dev/null || true; rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/run" QT_QPA_PLATFORM=offscreen

for i in $(seq 1 5000); do
  printf '%4d  %10.1f %-4s %3s\r\n' "$i" "$(( 40 + i % 17 )).$(( i % 10 ))" "$(printf 'ym')" "   "
done > "$work/memory1.txt"
"$build/kivo-gauge-sim" --link "$work/gauge" --model RKS --memory1 "$work/memory1.txt" --pace-baud 38400 \
  >/dev/null 2>"$work/commands.log" &
sim_pid=$!
for _ in $(seq 50); do [ -e "$work/gauge" ] && break; sleep 0.1; done
export KIVO_EXTRA_PORTS="$work/gauge:VCP"

printf 'start\nselect ComboPort %s\n' "$work/gauge" > "$work/start.txt"
printf 'start\nselect ComboPort %s\nclick cmdConnect\nwait-until-idle 120000\ndump\n' "$work/gauge" > "$work/download.txt"
t0=$(date +%s.%N); "$build/kivo-drive" "$work/start.txt" >/dev/null 2>&1; t1=$(date +%s.%N)
"$build/kivo-drive" "$work/download.txt" > "$work/dump.json" 2>/dev/null; t2=$(date +%s.%N)

rows=$(python3 -c "import json,sys; print(len(json.load(open('$work/dump.json'))['grid']['rows'])-1)")
bytes=$(( $(wc -c < "$work/memory1.txt") + 40 ))
python3 - "$t0" "$t1" "$t2" "$bytes" "$rows" <<'PY'
import sys
t0, t1, t2, size, rows = map(float, sys.argv[1:])
startup = t1 - t0
total = t2 - t1
wire = size * 10 / 38400
download = total - startup
print(f"readings shown: {int(rows)}")
print(f"bytes of the dump: {int(size)}, wire time at 38400 baud: {wire:.2f} s")
print(f"download (connect to table shown, start-up taken off): {download:.2f} s, "
      f"{100 * (download - wire) / wire:+.2f} % of the wire time")
PY
