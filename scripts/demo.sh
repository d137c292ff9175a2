#!/usr/bin/env bash
# The main job: builds the simulated host and runs the script in it, printing what happened.
set -euo pipefail
cd "$(dirname "$0")/.."

# Ninja's "[12/92] Building ..." lines become one rewritten progress line on a terminal; any
# other line (a compiler error) is shown as it is.
show_build_progress() {
  local line
  while IFS= read -r line; do
    if [[ $line =~ ^\[([0-9]+)/([0-9]+)\] ]]; then
      if [ -t 2 ]; then
        printf '\r  step %s of %s' "${BASH_REMATCH[1]}" "${BASH_REMATCH[2]}" >&2
      else
        echo "  $line" >&2
      fi
    elif [[ $line != "ninja: no work to do." ]]; then
      echo "$line" >&2
    fi
  done
  if [ -t 2 ]; then printf '\r%40s\r' "" >&2; fi
}

scripts/install-deps.sh build
echo "building (first run takes a few minutes)..." >&2
cmake --preset linux-release >/dev/null
# Only the scenario runner and what it links: the tests and benchmarks are not needed here.
cmake --build --preset linux-release -j "${TG_JOBS:-2}" --target gunner-sim 2>&1 | show_build_progress
# With no arguments: the demo scenario, its report written to out/demo-report/index.html.
if [ "$#" -eq 0 ]; then
  set -- scenarios/demo.toml --report out/demo-report
fi
# --play alone: the default road in the browser, the session saved as out/played.toml.
if [ "$*" = "--play" ]; then
  mkdir -p out
  set -- --play --open --record out/played.toml
fi
exec build/linux-release/tools/gunner-sim/gunner-sim "$@"
