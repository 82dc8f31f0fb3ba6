#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program as a demo
# installation for the gauge model given (default RKS).
#   ./run.sh [RKT|RKS|RKM|DOR|ZR|VX]
set -euo pipefail
cd "$(dirname "$0")"
model="${1:-RKS}"
./scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build build
printf '%s\r\n#\r\n' "$model" > build/Konfi.ini

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display found: starting off screen (set DISPLAY to see the window)."
  export QT_QPA_PLATFORM=offscreen
fi
exec build/kivo-transfer
