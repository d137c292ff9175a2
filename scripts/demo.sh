#!/usr/bin/env bash
# The main job: builds the simulated host and runs the script in it, printing what happened.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh build
cmake --preset linux-release >/dev/null
cmake --build --preset linux-release -j "${TG_JOBS:-2}" >/dev/null
# With no arguments: the demo scenario, its report written to out/demo-report/index.html.
if [ "$#" -eq 0 ]; then
  set -- scenarios/demo.toml --report out/demo-report
fi
exec build/linux-release/tools/gunner-sim/gunner-sim "$@"
