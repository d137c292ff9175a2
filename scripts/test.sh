#!/usr/bin/env bash
# Runs every test: the format check (scripts/check-format.sh), the Linux suite, the same suite
# under ASan+UBSan and built by clang (release, warnings as errors), the Windows build under Wine,
# the suite and the demo under Valgrind memcheck, a bounded fuzzing run (scripts/fuzz.sh) and the
# main job itself (scripts/demo.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh build windows browser web analysis
# The web pages' linters and browser driver, at the versions package-lock.json pins.
npm ci --no-audit --no-fund --silent

echo "=== format ==="
scripts/check-format.sh

jobs="${TG_JOBS:-2}"
log="$(mktemp)"
trap 'rm -f "$log"' EXIT
passed=0
for preset in linux linux-asan linux-clang windows; do
  echo "=== ${preset} ==="
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  ctest --preset "$preset" -j "$jobs" | tee "$log"
  count=$(sed -n 's/.*tests passed, 0 tests failed out of \([0-9]*\).*/\1/p' "$log" | tail -n 1)
  passed=$((passed + ${count:-0}))
done

echo "=== memcheck ==="
scripts/memcheck.sh
echo "=== fuzz ==="
scripts/fuzz.sh "${TG_FUZZ_SECONDS:-120}"
# The README's main job as a player or modder runs it, so a fault only its optimised build shows
# (or a step it needs) cannot hide behind the presets above.
echo "=== demo ==="
scripts/demo.sh scenarios/demo.toml --quiet --no-progress

# Every step above stops the script on a failure, so reaching here means all of them passed:
# the format check, the four CTest runs, the two memcheck runs, the two fuzzing runs and the demo.
echo "all tests: $((passed + 5)) passed, 0 failed"
