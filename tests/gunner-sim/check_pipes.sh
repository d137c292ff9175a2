#!/usr/bin/env bash
# gunner-sim in a pipeline: a document on standard output ('-') comes alone, the narration and
# the result line go to standard error; a reader that stops early ends the run with one line, the
# documented status 141 and no temporary script folder left behind; rejected settings lines show
# as warnings even in -q output.
# Usage: check_pipes.sh GUNNER_SIM DEMO_SCENARIO SETTINGS_SCENARIO LONG_SCENARIO JUNIT_XSD WORK_DIR
set -u
set -o pipefail
program=$1 demo=$2 settings=$3 long=$4 xsd=$5 work=$6

fail() { echo "FAIL: $*"; exit 1; }
errors() { grep -v '^==[0-9]*==WARNING: ASan' "$work/stderr"; }

rm -rf "$work"
mkdir -p "$work/tmp"
# Every run's script folder goes here, so a leftover one is seen.
export TMPDIR="$work/tmp"

"$program" -q --no-progress --json - "$demo" 2>"$work/stderr" | python3 -m json.tool >"$work/demo.json" ||
  fail "-q --json - is not one JSON document: $(errors)"
grep -q '"result": "PASSED"' "$work/demo.json" || fail "the JSON piped out does not say PASSED"
grep -q 'demo.toml: PASSED' "$work/stderr" || fail "the -q result line did not go to stderr"

# Without -q the whole narration goes to stderr too.
"$program" --no-progress --json - "$demo" 2>"$work/stderr" | python3 -m json.tool >/dev/null ||
  fail "--json - with the narration is not one JSON document"
grep -q 'Insurgent vehicle created' "$work/stderr" || fail "the narration is not on stderr"

if command -v xmllint >/dev/null 2>&1; then
  "$program" -q --no-progress --junit - "$demo" 2>"$work/stderr" |
    xmllint --noout --schema "$xsd" - 2>"$work/xmllint.log" ||
    fail "--junit - does not validate: $(cat "$work/xmllint.log") $(errors)"
else
  echo "xmllint missing: the JUnit pipe is checked by its first line only"
  "$program" -q --no-progress --junit - "$demo" 2>/dev/null | head -1 | grep -q '^<?xml' || fail "--junit -"
fi

# Two documents cannot share standard output.
"$program" -q --no-progress --json - --trace - "$demo" >"$work/stdout" 2>"$work/stderr"
[ $? -eq 2 ] || fail "two outputs on '-' must be refused with status 2"
errors | grep -q "only one of --trace, --json and --junit may be '-'" || fail "no message for two '-': $(errors)"
[ -s "$work/stdout" ] && fail "a refused run wrote to stdout"

# A reader that has read its fill: one line, status 141, nothing left behind.
# (The trace of the long run is far more than a pipe holds, so the writes really fail.)
"$program" -q --no-progress --trace - "$long" 2>"$work/stderr" | head -c 100 >"$work/head"
status=${PIPESTATUS[0]}
[ "$status" -eq 141 ] || fail "--trace - into head: status $status, not 141: $(errors)"
[ "$(wc -c <"$work/head")" -eq 100 ] || fail "head did not get its 100 bytes"
[ "$(errors | wc -l)" -eq 1 ] || fail "expected one line on stderr, got: $(errors)"
errors | grep -qx 'gunner-sim: standard output was closed (broken pipe): run stopped, no outputs kept' ||
  fail "the closed pipe's message: $(errors)"
[ -z "$(ls -A "$work/tmp")" ] || fail "left behind: $(ls -A "$work/tmp")"

# A settings line the script refused is a warning in -q output and a narration line otherwise.
"$program" -q --no-progress "$settings" >"$work/stdout" 2>"$work/stderr" || fail "settings run failed: $(errors)"
errors | grep -q "^gunner-sim: $settings: warning: TobekGunner.ini line [0-9]*: .*fire" ||
  fail "-q does not show the refused settings line: $(errors)"
"$program" --no-progress "$settings" >"$work/stdout" 2>"$work/stderr"
grep -q " warning  TobekGunner.ini line [0-9]*: .*fire" "$work/stdout" ||
  fail "the narration does not show the refused settings line"
echo "pipes: ok"
