#!/usr/bin/env bash
# Runs every test: the Linux suite, the same suite under ASan+UBSan, the Windows build under Wine,
# the suite and the demo under Valgrind memcheck, and a bounded fuzzing run (scripts/fuzz.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh build windows browser analysis

jobs="${TG_JOBS:-2}"
for preset in linux linux-asan windows; do
  echo "=== ${preset} ==="
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  ctest --preset "$preset" -j "$jobs"
done

echo "=== memcheck ==="
scripts/memcheck.sh
echo "=== fuzz ==="
scripts/fuzz.sh "${TG_FUZZ_SECONDS:-120}"
