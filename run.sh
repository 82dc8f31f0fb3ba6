#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program as a demo
# installation for a gauge model, with the gauge simulator plugged in:
# press Connect and the simulated gauge answers.
#   ./run.sh [RKT|RKS|RKM|DOR|ZR|VX]      (default RKS)
set -euo pipefail
cd "$(dirname "$0")"
model="${1:-RKS}"

./scripts/install-deps.sh --run
# Its own build folder, with only what the demo runs: no tests, no benchmarks.
out=build-run
if [ ! -f "$out/build.ninja" ]; then
  echo "The first build takes a few minutes (later starts take a second or two)."
  cmake --preset run >/dev/null
fi
cmake --build --preset run | { grep -v -e '^ninja: no work to do' -e 'Re-checking globbed directories' || true; }
# What the demo needs of the model comes from the program's model table.
row="$($out/kivo-cli models --tab | awk -F'\t' -v m="$model" 'NR > 1 && $1 == m')"
if [ -z "$row" ]; then
  echo "usage: ./run.sh [$($out/kivo-cli models --tab | awk -F'\t' 'NR > 1 { printf "%s%s", sep, $1; sep = "|" }')]" >&2
  exit 2
fi
IFS=$'\t' read -r _ pgm link_kind memories online _ _ _ sim_model _ <<< "$row"
link_type=VCP
[ "$link_kind" = Bluetooth ] && link_type=BTH
printf '%s\r\n#\r\n' "$model" > "$out/Konfi.ini"

# The demo keeps its settings and files apart from a real installation's.
demo="$PWD/$out/demo"
mkdir -p "$demo"
export XDG_CONFIG_HOME="$demo/config" XDG_DATA_HOME="$demo/data"
# A root shell on a bare machine has no runtime folder; the program keeps
# its single-copy lock there.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  export XDG_RUNTIME_DIR="$demo/runtime"
  mkdir -p -m 700 "$XDG_RUNTIME_DIR"
fi

# The simulated gauge on a pseudo-terminal, offered as an extra port and
# preselected as the last used port.
link="$demo/gauge"
sim_options=(--link "$link" --model "$sim_model")
# A gauge without a memory sends its readings live.
if [ "$memories" = none ]; then
  style=V
  [ "$online" = record ] && style=E
  sim_options+=(--online-style "$style" --interval-ms 2000)
fi
$out/kivo-gauge-sim "${sim_options[@]}" 2>"$demo/gauge-commands.log" >/dev/null &
sim_pid=$!
trap 'kill "$sim_pid" 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -e "$link" ] && break; sleep 0.1; done
export KIVO_EXTRA_PORTS="$link:$link_type"
mkdir -p "$XDG_CONFIG_HOME/Brenvor/$pgm"
# The manuals, where an installation keeps them (Hilfe → Bedienungsanleitung).
cp -u $out/manuals/*.pdf "$XDG_CONFIG_HOME/Brenvor/$pgm/"
printf '%s\r\n' "$link" > "$XDG_CONFIG_HOME/Brenvor/$pgm/Port.ini"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display found: starting off screen (set DISPLAY to see the window)."
  export QT_QPA_PLATFORM=offscreen
fi
echo "Simulated $model gauge on $link; its commands are logged in $demo/gauge-commands.log."
"$out/kivo-transfer"
