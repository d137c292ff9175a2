#!/usr/bin/env bash
# Plays one scenario twice: with gunner-sim (the script linked into the Linux simulated host) and
# with TobekGunnerScenario under Wine (the shipped TobekGunner.asi against the substitute
# ScriptHookV.dll). Both runs must meet the scenario's expectations and write the same native
# trace, call for call and bit for bit.
# Usage: compare_traces.sh LINUX_GUNNER_SIM WINE RUNNER_EXE SCRIPT_ASI SCENARIO WORK_DIR
set -u
linux_sim=$1 wine=$2 runner=$3 script=$4 scenario=$5 work=$6

fail() { echo "FAIL: $*"; exit 1; }
[ -x "$linux_sim" ] || fail "no Linux gunner-sim at $linux_sim: build the linux preset first (scripts/test.sh does)"

rm -rf "$work"
mkdir -p "$work"
"$linux_sim" --quiet --no-progress --keep-failed --trace "$work/linux.jsonl" "$scenario" >"$work/linux.log" 2>&1
linux_status=$?
"$wine" "$runner" "$scenario" --script "$script" --trace "$work/windows.jsonl" --quiet >"$work/windows.log" 2>&1
windows_status=$?

[ "$linux_status" -eq 0 ] || fail "gunner-sim exited $linux_status: $(tail -5 "$work/linux.log")"
[ "$windows_status" -eq 0 ] || fail "TobekGunnerScenario exited $windows_status: $(tail -5 "$work/windows.log")"
[ -s "$work/linux.jsonl" ] || fail "empty Linux trace"
[ -s "$work/windows.jsonl" ] || fail "empty Windows trace"
if ! cmp -s "$work/linux.jsonl" "$work/windows.jsonl"; then
  echo "FAIL: the traces differ ($(wc -l <"$work/linux.jsonl") Linux lines, $(wc -l <"$work/windows.jsonl") Windows lines)"
  diff "$work/linux.jsonl" "$work/windows.jsonl" | head -20
  exit 1
fi
echo "ok: $(wc -l <"$work/linux.jsonl") identical calls"
