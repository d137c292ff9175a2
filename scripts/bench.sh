#!/usr/bin/env bash
# Builds the optimised preset and runs the benchmarks that BENCHMARKS.md reports.
# Results (console and JSON) go to build/linux-release/bench/. Extra arguments go to both programs.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh build
cmake --preset linux-release >/dev/null
cmake --build --preset linux-release -j "${TG_JOBS:-2}" --target frame_pass_benchmark world_fps_benchmark

out=build/linux-release/bench
mkdir -p "$out"
for program in frame_pass_benchmark world_fps_benchmark; do
  echo "=== ${program} ==="
  "build/linux-release/benchmarks/${program}" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    --benchmark_out="${out}/${program}.json" --benchmark_out_format=json "$@" | tee "${out}/${program}.txt"
done
