#!/usr/bin/env bash
# Runs the test suite and the demo scenario under Valgrind memcheck: any memory error, use of
# an uninitialised value or leak fails the run. Nothing of ours is suppressed.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh build analysis
cmake --preset linux >/dev/null
cmake --build --preset linux -j "${TG_JOBS:-2}"

memcheck=(valgrind --tool=memcheck --error-exitcode=1 --leak-check=full
          --errors-for-leak-kinds=definite,indirect,possible --show-leak-kinds=definite,indirect,possible
          --num-callers=30 --quiet)

echo "memcheck: test suite"
"${memcheck[@]}" build/linux/tests/tg_tests --gtest_brief=1

echo "memcheck: demo scenario through gunner-sim"
"${memcheck[@]}" build/linux/tools/gunner-sim/gunner-sim --quiet --no-progress scenarios/demo.toml
echo "memcheck: 2 passed, 0 failed"
