#!/usr/bin/env bash
# gunner-sim's outputs and command line as a user meets them: outputs kept and marked on a failed
# run, older ones replaced, JUnit XML that validates, -q, --version, --help and error messages.
# Usage: check_outputs.sh GUNNER_SIM PASSING_SCENARIO FAILING_SCENARIO INPUTS_DIR WORK_DIR
set -u
program=$1 passing=$2 failing=$3 inputs=$4 work=$5
here=$(cd "$(dirname "$0")" && pwd)

fail() { echo "FAIL: $*"; exit 1; }
run() { "$program" --no-progress "$@" >"$work/stdout" 2>"$work/stderr"; }
# The one stderr line, without the AddressSanitizer build's warning about fiber switching.
errors() { grep -v '^==[0-9]*==WARNING: ASan' "$work/stderr"; }

rm -rf "$work"
mkdir -p "$work"
outputs=(--trace "$work/trace.jsonl" --report "$work/report" --json "$work/run.json" --junit "$work/junit.xml")

# A passing run writes every output.
run "${outputs[@]}" "$passing" || fail "the passing scenario failed: $(errors)"
grep -q 'class="verdict pass">PASSED' "$work/report/index.html" || fail "the report is not marked PASSED"
tail -1 "$work/trace.jsonl" | grep -q '^{"summary":{"result":"PASSED"' || fail "no PASSED summary line"
grep -q '"result":"PASSED"' "$work/run.json" || fail "the JSON summary does not say PASSED"
grep -q '<failure' "$work/junit.xml" && fail "a passing run's JUnit XML holds a failure"

# A failing re-run into the same places replaces all of them, marked FAILED.
run "${outputs[@]}" "$failing"
[ $? -eq 1 ] || fail "a failed expectation must exit 1"
grep -q 'PASSED' "$work/report/index.html" && fail "the older PASSED report is still there"
grep -q 'class="verdict fail">FAILED' "$work/report/index.html" || fail "the report is not marked FAILED"
tail -1 "$work/trace.jsonl" | grep -q '^{"summary":{"result":"FAILED","expectations":2,"met":1' ||
  fail "the trace does not end in the FAILED summary: $(tail -1 "$work/trace.jsonl")"
grep -q '"result":"FAILED"' "$work/run.json" || fail "the JSON summary does not say FAILED"
[ "$(grep -c '<testcase ' "$work/junit.xml")" -eq 2 ] || fail "expected one test case per expectation"
[ "$(grep -c '<failure ' "$work/junit.xml")" -eq 1 ] || fail "expected one failure"
if command -v xmllint >/dev/null 2>&1; then
  xmllint --noout --schema "$here/junit.xsd" "$work/junit.xml" 2>"$work/xmllint.log" ||
    fail "the JUnit XML does not validate: $(cat "$work/xmllint.log")"
fi

# An output that cannot be written stops the run before it starts, and what the older run left
# under this run's names is gone: no stale trace passes for this run's.
run --trace "$work/trace.jsonl" --junit "$work/no/such/folder/junit.xml" "$passing"
[ $? -eq 3 ] || fail "an unwritable output must exit 3"
errors | grep -qx "gunner-sim: error: cannot write $work/no/such/folder/junit.xml: No such file or directory" ||
  fail "the error lacks the file or the reason: $(errors)"
[ ! -e "$work/trace.jsonl" ] || fail "the older trace was left in place"
mkdir -p "$work/a-folder"
run --trace "$work/a-folder" "$passing"
[ $? -eq 3 ] || fail "a folder as trace file must exit 3"
errors | grep -q "cannot write $work/a-folder: Is a directory" || fail "no 'Is a directory' reason: $(errors)"

# -q: the failure once on stderr, one result line on stdout.
run -q "$failing"
[ "$(errors | grep -c .)" -eq 1 ] || fail "-q must print the failure once: $(errors)"
[ "$(grep -c . "$work/stdout")" -eq 1 ] || fail "-q must print one line: $(cat "$work/stdout")"
grep -q "FAILED, 1 of 2 expectations met" "$work/stdout" || fail "-q result line: $(cat "$work/stdout")"

# A folder runs each scenario in it (check_bulk.sh has the details): these inputs all fail.
run -q "$inputs"
[ $? -eq 1 ] || fail "a folder of failing scenarios must exit 1"
tail -1 "$work/stdout" | grep -q '^gunner-sim: [0-9]* scenarios: 0 passed' || fail "folder: $(cat "$work/stdout")"
# Bad input: `end` under a table, an unknown option.
run "$inputs/end_under_table.toml"
errors | grep -q "end: missing: how long the run lasts, in ms (an \`end\` was found under \[world\]: top-level keys" ||
  fail "no top-level-key hint: $(errors)"
run --no-such-option "$passing"
[ $? -eq 2 ] || fail "an unknown option must exit 2"
errors | grep -q "^gunner-sim: error: " || fail "option errors need the program prefix: $(errors)"

# --version and --help.
run --version || fail "--version failed"
grep -qE '^gunner-sim [0-9]+\.[0-9]+\.[0-9]+$' "$work/stdout" || fail "--version: $(cat "$work/stdout")"
run --help || fail "--help failed"
for text in "Exit status:" "  3  an output could not be written" "docs/scenarios.md" "--junit" "--json"; do
  grep -qF -- "$text" "$work/stdout" || fail "--help lacks: $text"
done
echo "ok: outputs kept and replaced, JUnit XML valid, -q, errors, --version and --help"
