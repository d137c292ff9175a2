#!/usr/bin/env bash
# Runs every test: the format check (scripts/check-format.sh), the Linux suite, the same suite
# under ASan+UBSan and built by clang (release, warnings as errors), the Windows build under Wine,
# the suite and the demo under Valgrind memcheck, a bounded fuzzing run (scripts/fuzz.sh) and the
# main job itself (scripts/demo.sh). Every stage runs even when an earlier one failed; the last
# line totals them and names the stages that failed, and the exit status is 1 if any did.
#
# scripts/test.sh --quick: the modder's check after a change, a couple of minutes once built:
# the linux preset's build and CTest suite, then every bundled scenario in one gunner-sim call.
set -uo pipefail
cd "$(dirname "$0")/.."

quick=0
case "${1:-}" in
  --quick) quick=1 ;;
  "") ;;
  -h | --help)
    echo "usage: scripts/test.sh [--quick]"
    exit 0
    ;;
  *)
    echo "scripts/test.sh: unknown option '$1' (usage: scripts/test.sh [--quick])" >&2
    exit 2
    ;;
esac

jobs="${TG_JOBS:-2}"
log="$(mktemp)"
trap 'rm -f "$log"' EXIT
passed=0
failed=0
failedStages=()

# Counts one stage that is not a CTest run: "stage NAME COMMAND...".
stage() {
  local name="$1"
  shift
  echo "=== ${name} ==="
  if "$@"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    failedStages+=("$name")
  fi
}

# Builds and tests one preset; each CTest test counts once.
preset() {
  local name="$1"
  echo "=== ${name} ==="
  if ! cmake --preset "$name" >/dev/null || ! cmake --build --preset "$name" -j "$jobs"; then
    failed=$((failed + 1))
    failedStages+=("${name} (build)")
    return
  fi
  ctest --preset "$name" -j "$jobs" 2>&1 | tee "$log"
  local status=${PIPESTATUS[0]}
  local bad total
  total=$(sed -n 's/.*tests passed, [0-9]* tests* failed out of \([0-9]*\).*/\1/p' "$log" | tail -n 1)
  bad=$(sed -n 's/.*tests passed, \([0-9]*\) tests* failed out of.*/\1/p' "$log" | tail -n 1)
  total=${total:-0}
  bad=${bad:-0}
  passed=$((passed + total - bad))
  if [ "$status" -ne 0 ] || [ "$total" -eq 0 ]; then
    failed=$((failed + (bad > 0 ? bad : 1)))
    failedStages+=("$name")
  fi
}

# The one line CI and a modder read; non-zero when anything failed.
total() {
  local line="all tests: ${passed} passed, ${failed} failed"
  local name list=""
  for name in "${failedStages[@]}"; do list="${list:+${list}, }${name}"; done
  [ -n "$list" ] && line="${line} (failed: ${list})"
  echo "$line"
  [ "$failed" -eq 0 ]
}

if [ "$quick" -eq 1 ]; then
  scripts/install-deps.sh build browser web || exit 1
  preset linux
  stage "bundled scenarios" build/linux/tools/gunner-sim/gunner-sim --quiet --no-progress scenarios
  total
  exit
fi

scripts/install-deps.sh build windows browser web analysis || exit 1

stage format scripts/check-format.sh
for name in linux linux-asan linux-clang windows; do
  preset "$name"
done
stage memcheck scripts/memcheck.sh
stage fuzz scripts/fuzz.sh "${TG_FUZZ_SECONDS:-120}"
# The README's main job as a player or modder runs it, so a fault only its optimised build shows
# (or a step it needs) cannot hide behind the presets above.
stage demo scripts/demo.sh scenarios/demo.toml --quiet --no-progress
total
