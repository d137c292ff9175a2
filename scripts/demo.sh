#!/usr/bin/env bash
# The main job: builds the simulated host and runs the script in it, printing what happened.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh build
cmake --preset linux-release >/dev/null
cmake --build --preset linux-release -j "${TG_JOBS:-2}" >/dev/null
exec build/linux-release/tools/gunner-sim/gunner-sim "${@:-scenarios/demo.toml}"
