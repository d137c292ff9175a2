#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, ASan+UBSan) and fuzzes each for a bounded time, starting
# from the committed seeds and saved findings: the script against a hostile world, and the
# scenario reader with a short run. Any finding fails the run.
# Usage: scripts/fuzz.sh [SECONDS]   (seconds per target; default 120; TG_FUZZ_SECONDS works too)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-${TG_FUZZ_SECONDS:-120}}"
scripts/install-deps.sh build analysis
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "${TG_JOBS:-2}"

# fuzz_target NAME MAX_LEN SEED_DIR... : new units go into a working corpus; the committed seeds
# and findings are only read.
fuzz_target() {
  local name=$1 max_len=$2
  shift 2
  local fuzzer=build/fuzz/fuzz/$name work=build/fuzz/$name-work findings=build/fuzz/$name-findings
  local log=build/fuzz/$name-last-run.log
  mkdir -p "$work"
  rm -rf "$findings"
  mkdir -p "$findings"
  echo "fuzz: $name for ${seconds} s, seeds and findings from $*"
  set +e
  "$fuzzer" -max_total_time="$seconds" -max_len="$max_len" -timeout=20 -rss_limit_mb="$rss_mb" \
    -print_final_stats=1 -artifact_prefix="$findings/" "${extra[@]}" \
    "$work" "$@" >"$log" 2>&1
  local status=$?
  set -e
  grep -Ev '^#[0-9]+[[:space:]]+(NEW|REDUCE|pulse)|^"|dictionary|WARNING: ASan doesn.t fully support' "$log" | tail -n 25
  if [ "$status" -ne 0 ] || [ -n "$(ls -A "$findings")" ]; then
    echo "fuzz: $name FINDING (exit $status). Inputs kept in $findings:" >&2
    ls -l "$findings" >&2
    echo "Replay it (see docs/hardening.md); once fixed, add it to the target's regressions folder." >&2
    exit 1
  fi
  echo "fuzz: $name: no finding in ${seconds} s"
}

extra=()
rss_mb=2048
fuzz_target script_fuzzer 16384 fuzz/corpus fuzz/regressions
extra=(-dict=fuzz/scenario.dict)
# Any scenario must be read and run within 1 GB, even under the sanitizers.
rss_mb=1024
fuzz_target scenario_fuzzer 65536 fuzz/scenario-corpus scenarios tests/gunner-sim/inputs fuzz/scenario-regressions
echo "fuzz: 2 passed, 0 failed"
