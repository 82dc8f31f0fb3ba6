#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program as a demo
# installation for a gauge model, with the gauge simulator plugged in:
# press Connect and the simulated gauge answers.
#   ./run.sh [RKT|RKS|RKM|DOR|ZR|VX]      (default RKS)
set -euo pipefail
cd "$(dirname "$0")"
model="${1:-RKS}"
case "$model" in
  RKT) pgm="RK-TALO RIDIVORI";     link_type=BTH; sim_model=RKT ;;
  RKS) pgm="RK-SIVAR RIDIVORI";    link_type=VCP; sim_model=RKS ;;
  RKM) pgm="RK-MENO RIDIVORI";     link_type=VCP; sim_model=RKM ;;
  DOR) pgm="DORNA RIDIVORI";       link_type=VCP; sim_model=DOR ;;
  ZR)  pgm="ZORMA-PROBA RIDIVORI"; link_type=VCP; sim_model=ZR ;;
  VX)  pgm="VELO-PROBA RIDIVORI";  link_type=BTH; sim_model=FNB ;;
  *) echo "usage: ./run.sh [RKT|RKS|RKM|DOR|ZR|VX]" >&2; exit 2 ;;
esac

./scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build build
printf '%s\r\n#\r\n' "$model" > build/Konfi.ini

# The demo keeps its settings and files apart from a real installation's.
demo="$PWD/build/demo"
mkdir -p "$demo"
export XDG_CONFIG_HOME="$demo/config" XDG_DATA_HOME="$demo/data"

# The simulated gauge on a pseudo-terminal, offered as an extra port and
# preselected as the last used port.
link="$demo/gauge"
sim_options=(--link "$link" --model "$sim_model")
[ "$model" = DOR ] && sim_options+=(--online-style V --interval-ms 2000) # no memory: readings come live
build/kivo-gauge-sim "${sim_options[@]}" 2>"$demo/gauge-commands.log" >/dev/null &
sim_pid=$!
trap 'kill "$sim_pid" 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -e "$link" ] && break; sleep 0.1; done
export KIVO_EXTRA_PORTS="$link:$link_type"
mkdir -p "$XDG_CONFIG_HOME/Brenvor/$pgm"
# The manuals, where an installation keeps them (Hilfe → Bedienungsanleitung).
cp -u build/manuals/*.pdf "$XDG_CONFIG_HOME/Brenvor/$pgm/"
printf '%s\r\n' "$link" > "$XDG_CONFIG_HOME/Brenvor/$pgm/Port.ini"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display found: starting off screen (set DISPLAY to see the window)."
  export QT_QPA_PLATFORM=offscreen
fi
echo "Simulated $model gauge on $link; its commands are logged in $demo/gauge-commands.log."
build/kivo-transfer
