#!/usr/bin/env bash
# Builds the optimised preset and runs the benchmarks that BENCHMARKS.md reports: the per-pass
# cost of the script, the bare world's frame rate, gunner-sim's one-hour combat scenario, and how
# gunner-sim's cost grows with the size of a scenario.
# Results (console and JSON) go to build/linux-release/bench/. Extra arguments go to every program.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh build
cmake --preset linux-release >/dev/null
cmake --build --preset linux-release -j "${TG_JOBS:-2}" --target frame_pass_benchmark world_fps_benchmark tg_benchmarks \
  scaling_benchmark

out=build/linux-release/bench
mkdir -p "$out"
run() {
  local program="$1"
  shift
  echo "=== ${program} ==="
  "build/linux-release/benchmarks/${program}" --benchmark_out="${out}/${program}.json" --benchmark_out_format=json \
    "$@" | tee "${out}/${program}.txt"
}
run frame_pass_benchmark --benchmark_repetitions=5 --benchmark_report_aggregates_only=true "$@"
run world_fps_benchmark "$@"
run tg_benchmarks --benchmark_filter='^oneHourOfCombat/' "$@"
run scaling_benchmark "$@"
