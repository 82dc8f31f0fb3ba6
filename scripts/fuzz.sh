#!/usr/bin/env bash
# Builds the fuzz targets with clang, libFuzzer and the sanitizers, runs each
# for SECONDS (default 60) from its corpus, and prints a line per target:
# runs, coverage, crashes. A crash leaves its input in build-fuzz/crashes/.
#   scripts/fuzz.sh [SECONDS] [TARGET...]   (all targets when none is named)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
./scripts/install-deps.sh
cmake --preset fuzz >/dev/null
targets=(ident_reply record_line dump_split online measurement_file settings_files cp1252)
if [ $# -gt 1 ]; then targets=("${@:2}"); fi
cmake --build --preset fuzz --target "${targets[@]/#/fuzz_}"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
mkdir -p build-fuzz/crashes build-fuzz/logs
failed=0
for t in "${targets[@]}"; do
  work="build-fuzz/corpus/$t"  # what the fuzzer finds; the seeds stay as they are
  mkdir -p "$work"
  log="build-fuzz/logs/$t.log"
  if build-fuzz/fuzz_"$t" -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
       -artifact_prefix="build-fuzz/crashes/$t-" "$work" "tests/fuzz/corpus/$t" >"$log" 2>&1; then
    result="ok"
  else
    result="CRASH (see $log)"
    failed=1
  fi
  runs=$(grep -oE '#[0-9]+' "$log" | tail -1 | tr -d '#' || true)
  cov=$(grep -oE 'cov: [0-9]+' "$log" | tail -1 | grep -oE '[0-9]+' || true)
  crashes=$(find build-fuzz/crashes -name "$t-*" | wc -l)
  printf '%-18s runs %-10s coverage %-6s crashes %-3s %s\n' "$t" "${runs:-0}" "${cov:-0}" "$crashes" "$result"
done
exit "$failed"
