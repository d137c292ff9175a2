#!/usr/bin/env bash
# Builds the libFuzzer target (clang, ASan+UBSan) and fuzzes the script for a bounded time,
# starting from the committed seeds and saved findings. Any finding fails the run.
# Usage: scripts/fuzz.sh [SECONDS]   (default 120; TG_FUZZ_SECONDS works too)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-${TG_FUZZ_SECONDS:-120}}"
scripts/install-deps.sh build analysis
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "${TG_JOBS:-2}"

fuzzer=build/fuzz/fuzz/script_fuzzer
work=build/fuzz/corpus-work
findings=build/fuzz/findings
mkdir -p "$work"
rm -rf "$findings"
mkdir -p "$findings"

# New units go into the working corpus; the committed seeds and findings are only read.
echo "fuzz: ${seconds} s from $(ls fuzz/corpus | wc -l) seeds and $(ls fuzz/regressions | wc -l) saved findings"
set +e
"$fuzzer" -max_total_time="$seconds" -max_len=16384 -timeout=20 -rss_limit_mb=2048 \
  -print_final_stats=1 -artifact_prefix="$findings/" \
  "$work" fuzz/corpus fuzz/regressions >build/fuzz/last-run.log 2>&1
status=$?
set -e
grep -Ev '^#[0-9]+[[:space:]]+(NEW|REDUCE|pulse)|^"|dictionary|WARNING: ASan doesn.t fully support' build/fuzz/last-run.log | tail -n 40

if [ "$status" -ne 0 ] || [ -n "$(ls -A "$findings")" ]; then
  echo "fuzz: FINDING (exit $status). Inputs kept in $findings:" >&2
  ls -l "$findings" >&2
  echo "Replay one with: build/fuzz/fuzz/fuzz_replay FILE; once fixed, add it to fuzz/regressions/." >&2
  exit 1
fi
echo "fuzz: no finding in ${seconds} s"
echo "fuzz: 1 passed, 0 failed"
