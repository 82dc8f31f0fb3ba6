#!/usr/bin/env bash
# The long online session: a reading every 10 ms until the table holds 5000,
# then every reading checked in the table and in Online.mes, and the
# program's memory compared with that after the first 100 readings.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build build --target kivo_e2e_tests kivo-drive kivo-gauge-sim kivo-transfer
KIVO_SOAK=1 QT_QPA_PLATFORM=offscreen build/kivo_e2e_tests --gtest_filter='Soak.*'
