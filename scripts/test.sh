#!/usr/bin/env bash
# Runs every test: the Linux suite, the same suite under ASan+UBSan, and the Windows build under Wine.
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
