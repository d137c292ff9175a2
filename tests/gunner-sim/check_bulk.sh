#!/usr/bin/env bash
# Many scenarios in one call: a folder, several files or a quoted pattern; one line each and a
# total; one JUnit test suite per scenario; status 1 when any did not pass, 2 for options that
# name one run's output.
# Usage: check_bulk.sh GUNNER_SIM SCENARIOS_DIR INPUTS_DIR JUNIT_XSD WORK_DIR
set -u
program=$1 scenarios=$2 inputs=$3 xsd=$4 work=$5

fail() { echo "FAIL: $*"; exit 1; }
run() { "$program" --no-progress "$@" >"$work/stdout" 2>"$work/stderr"; }
errors() { grep -v '^==[0-9]*==WARNING: ASan' "$work/stderr"; }

rm -rf "$work"
mkdir -p "$work/mixed" "$work/empty"
cp "$scenarios/technical.toml" "$scenarios/focus.toml" "$inputs/failed_expectation.toml" \
  "$inputs/syntax_error.toml" "$work/mixed/"
echo "not a scenario" >"$work/mixed/notes.txt"

run --junit "$work/mixed.xml" "$work/mixed"
[ $? -eq 1 ] || fail "a folder with failing scenarios must exit 1"
[ "$(grep -c ': PASSED, ' "$work/stdout")" -eq 2 ] || fail "expected two PASSED lines: $(cat "$work/stdout")"
[ "$(grep -c ': FAILED, ' "$work/stdout")" -eq 1 ] || fail "expected one FAILED line: $(cat "$work/stdout")"
tail -1 "$work/stdout" | grep -qx 'gunner-sim: 4 scenarios: 2 passed, 2 failed (failed_expectation.toml, syntax_error.toml)' ||
  fail "the total line: $(tail -1 "$work/stdout")"
errors | grep -q 'syntax_error.toml:5: TOML syntax error' || fail "the broken scenario's error is not shown"
[ "$(grep -c '<testsuite ' "$work/mixed.xml")" -eq 4 ] || fail "expected one test suite per scenario"
grep -q 'type="scenario"' "$work/mixed.xml" || fail "the unreadable scenario has no error case"
if command -v xmllint >/dev/null 2>&1; then
  xmllint --noout --schema "$xsd" "$work/mixed.xml" 2>"$work/xmllint.log" ||
    fail "the bulk JUnit XML does not validate: $(cat "$work/xmllint.log")"
fi

# Several files that pass, and the same as a pattern the shell left alone.
run "$scenarios/technical.toml" "$scenarios/focus.toml" || fail "two passing files: $(errors)"
tail -1 "$work/stdout" | grep -qx 'gunner-sim: 2 scenarios: 2 passed, 0 failed' || fail "total: $(cat "$work/stdout")"
run "$work/mixed/[tf]*.toml"
[ $? -eq 1 ] || fail "the pattern holds the failing scenario"
tail -1 "$work/stdout" | grep -q '^gunner-sim: 3 scenarios: 2 passed, 1 failed' || fail "pattern: $(cat "$work/stdout")"

# With JUnit on standard output, the lines go to stderr.
run --junit - "$scenarios/technical.toml" "$scenarios/focus.toml" || fail "--junit - in bulk: $(errors)"
head -1 "$work/stdout" | grep -q '^<?xml' || fail "stdout is not the JUnit document"
grep -q '2 scenarios: 2 passed' "$work/stderr" || fail "the total is not on stderr"

# Outputs of one run, and nothing to run.
for option in --trace --json --report; do
  run "$option" "$work/out" "$scenarios/technical.toml" "$scenarios/focus.toml"
  [ $? -eq 2 ] || fail "$option with several scenarios must exit 2"
  errors | grep -q -- "$option writes one run's output" || fail "$option: $(errors)"
done
[ -e "$work/out" ] && fail "a refused bulk run wrote an output"
run "$work/empty"
[ $? -eq 2 ] || fail "an empty folder must exit 2"
errors | grep -q 'no scenario files' || fail "empty folder: $(errors)"
echo "bulk: ok"
