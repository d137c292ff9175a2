#!/usr/bin/env bash
# Runs gunner-sim on an input that must fail and checks how: the exit status, exactly one error
# line on stderr that carries the expected text, and the outputs: none for bad input (status 2),
# kept and marked FAILED for a run whose expectations failed (status 1).
# Usage: check_failing_run.sh GUNNER_SIM SCENARIO EXIT_STATUS EXPECTED_TEXT WORK_DIR
set -u
program=$1 scenario=$2 want_status=$3 want_text=$4 work=$5

rm -rf "$work"
mkdir -p "$work"
"$program" --no-progress --trace "$work/trace.jsonl" --report "$work/report" "$scenario" >"$work/stdout" 2>"$work/stderr"
status=$?

fail() { echo "FAIL: $*"; echo "--- stderr:"; cat "$work/stderr"; exit 1; }

[ "$status" -eq "$want_status" ] || fail "exit status $status, expected $want_status"
# An AddressSanitizer build warns once about the host's fiber switching; that is not the tool's.
lines=$(grep -v '^==[0-9]*==WARNING: ASan doesn.t fully support makecontext' "$work/stderr" | grep -c .)
[ "$lines" -eq 1 ] || fail "$lines lines on stderr, expected exactly one"
grep -qF -- "$want_text" "$work/stderr" || fail "stderr lacks: $want_text"
if [ "$want_status" -eq 1 ]; then
  tail -1 "$work/trace.jsonl" | grep -q '^{"summary":{"result":"FAILED"' || fail "the trace does not end in a FAILED summary"
  grep -q 'class="verdict fail">FAILED' "$work/report/index.html" || fail "the report is not marked FAILED"
  [ ! -e "$work/trace.jsonl.partial" ] || fail "left behind: $work/trace.jsonl.partial"
else
  for leftover in "$work/trace.jsonl" "$work/trace.jsonl.partial" "$work/report"; do
    [ ! -e "$leftover" ] || fail "left behind: $leftover"
  done
fi
echo "ok: $(cat "$work/stderr")"
