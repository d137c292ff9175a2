#!/usr/bin/env bash
# gunner-sim never destroys, leaks or garbles a user's file: outputs cannot land on the scenario,
# its settings or each other; links and standard streams are kept; a bad temporary folder and a
# signal while blocked on a pipe leave nothing behind; odd text reaches no output raw.
# Usage: check_user_files.sh GUNNER_SIM SCENARIO WORK_DIR
set -u
program=$1 scenario=$2 work=$3
rm -rf "$work"
mkdir -p "$work"
cd "$work" || exit 1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
sim() { "$program" --quiet --no-progress "$@"; }
# expect_refusal STATUS TEXT ARGS...: the run exits STATUS and says TEXT on standard error.
expect_refusal() {
  local want=$1 text=$2
  shift 2
  sim "$@" >/dev/null 2>err.txt
  local status=$?
  [ "$status" -eq "$want" ] || fail "$*: exit $status, expected $want ($(cat err.txt))"
  grep -qF -- "$text" err.txt || fail "$*: no '$text' in: $(cat err.txt)"
  [ "$(wc -l <err.txt)" -eq 1 ] || fail "$*: more than one line: $(cat err.txt)"
}

cp "$scenario" scene.toml
cp scene.toml scene.orig
printf 'end = 500\nsettings_file = "keys.ini"\n' >with-settings.toml
printf '[keys]\nmenu = F5\n' >keys.ini

# An output over the scenario, its settings file or another output is refused; nothing changes.
expect_refusal 2 "the JSON summary scene.toml would be written over the scenario" --json scene.toml scene.toml
expect_refusal 2 "the trace ./scene.toml would be written over the scenario" --trace ./scene.toml scene.toml
expect_refusal 2 "would be written over its settings file" --junit keys.ini with-settings.toml
expect_refusal 2 "the trace same.out would be written over the JSON summary same.out" \
  --trace same.out --json same.out --junit same.out scene.toml
expect_refusal 2 "the JSON summary rep/index.html may not be inside the report folder rep" \
  --json rep/index.html --report rep scene.toml
cmp -s scene.toml scene.orig || fail "the scenario was changed"
[ ! -e same.out ] && [ ! -e rep ] || fail "a refused run left files: $(ls)"

# A dangling link or a loop of links as an output is refused, and stays a link.
ln -s nowhere/target.jsonl dangling.jsonl
ln -s loop-b loop-a
ln -s loop-a loop-b
expect_refusal 2 "a link to nothing" --trace dangling.jsonl scene.toml
expect_refusal 2 "a link to nothing" --json loop-a scene.toml
[ -L dangling.jsonl ] && [ -L loop-a ] || fail "a link was replaced"

# /dev/stdout redirected to a file gets the JSON after the narration; neither is lost.
"$program" --no-progress --json /dev/stdout scene.toml >story.txt 2>err.txt || fail "--json /dev/stdout: exit $?"
grep -q '^Scenario: ' story.txt || fail "the narration before the JSON was lost"
grep -q '"expectations"' story.txt || fail "the JSON is not in the redirected standard output"

# An output name at the length limit still works (its temporary name is shortened).
long=$(printf 'n%.0s' $(seq 250)).json
sim --json "$long" scene.toml >/dev/null 2>err.txt || fail "250-byte output name: $(cat err.txt)"
[ -s "$long" ] || fail "the output with a long name was not written"

# A bad temporary folder: exit 3 with the reason, and no output or folder left behind.
mkdir tmp-runs
touch not-a-folder
for tmp in "$PWD/no-such-folder" "$PWD/not-a-folder"; do
  TMPDIR=$tmp sim --trace tmp-runs/t.jsonl --report tmp-runs/rep --json tmp-runs/s.json scene.toml \
    >/dev/null 2>err.txt
  status=$?
  [ "$status" -eq 3 ] || fail "TMPDIR=$tmp: exit $status, expected 3"
  grep -q "TMPDIR" err.txt || fail "TMPDIR=$tmp: no reason: $(cat err.txt)"
  [ -z "$(ls -A tmp-runs)" ] || fail "TMPDIR=$tmp left: $(ls -A tmp-runs)"
done

# Control characters and bad UTF-8 from a scenario reach no terminal line or JUnit file raw.
printf 'name = "red \\u001b[31m nul \\u0000 cut"\nend = 100\n[[expect]]\nwanted_level = 1\n' >odd.toml
"$program" --no-progress --junit odd.xml --json odd.json --report odd-report odd.toml >odd.out 2>odd.err
[ "$?" -eq 1 ] || fail "odd.toml: expected the failed expectation's exit 1"
! grep -qaP '[\x00-\x08\x0b-\x1f]' odd.out odd.err odd.xml odd.json odd-report/index.html ||
  fail "a raw control character reached an output"
grep -qF 'red \x1b[31m nul \x00 cut' odd.out || fail "the escaped name is not shown: $(head -n 1 odd.out)"
if command -v xmllint >/dev/null; then
  xmllint --noout odd.xml || fail "the JUnit XML does not parse"
fi

# Bytes of a settings file that are not UTF-8 are replaced wherever the script's log is shown.
printf 'end = 200\nsettings_file = "bad-utf8.ini"\n' >bad-utf8.toml
printf '[keys]\nmenu = \377\376\033[2J\n' >bad-utf8.ini
"$program" --no-progress --json bad-utf8.json --report bad-utf8-report bad-utf8.toml >bad-utf8.out 2>&1 ||
  fail "bad-utf8.toml: exit $?"
grep -q "TobekGunner.log" bad-utf8.out || fail "the script's log is not shown"
for file in bad-utf8.out bad-utf8.json bad-utf8-report/index.html; do
  iconv -f UTF-8 -t UTF-8 "$file" >/dev/null 2>&1 || fail "$file is not valid UTF-8"
  ! grep -qaP '\x1b' "$file" || fail "$file holds a raw escape"
done

# A settings copy that cannot be written in full is status 3 with the system's reason.
head -c 20000 /dev/zero | tr '\0' ';' >big.ini
printf 'end = 200\nsettings_file = "big.ini"\n' >big.toml
(trap '' XFSZ; ulimit -f 8; sim big.toml) >/dev/null 2>err.txt
status=$?
[ "$status" -eq 3 ] || fail "settings copy over the file size limit: exit $status, expected 3"
grep -q "cannot write the settings copy .*: File too large" err.txt || fail "no reason: $(cat err.txt)"

# The trace stops at its limit with a last line saying so.
sim --trace capped.jsonl --trace-limit 100000 scene.toml >/dev/null 2>err.txt || fail "--trace-limit: exit $?"
size=$(stat -c %s capped.jsonl)
[ "$size" -lt 110000 ] || fail "the capped trace has $size bytes"
tail -n 1 capped.jsonl | grep -q '^{"cut":"the trace reached its limit of 100000 bytes' ||
  fail "the last line does not say the trace was cut: $(tail -c 200 capped.jsonl)"
grep -q "the trace was cut" err.txt || fail "no note of the cut: $(cat err.txt)"

# A signal ends a run blocked opening a FIFO scenario, or a FIFO output, at once.
mkfifo in.fifo out.fifo
mkdir blocked
for case in "in.fifo" "--trace out.fifo --report blocked/rep scene.toml"; do
  for signal in INT TERM; do
    # shellcheck disable=SC2086
    "$program" --no-progress $case >/dev/null 2>err.txt &
    pid=$!
    sleep 1  # past start-up, so the run is waiting on the pipe
    kill -"$signal" "$pid"
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    if kill -0 "$pid" 2>/dev/null; then
      fail "SIG$signal did not end a run blocked on $case"
      kill -KILL "$pid"
    fi
    wait "$pid"
    status=$?
    want=$((128 + $(kill -l "$signal")))
    [ "$status" -eq "$want" ] || fail "SIG$signal blocked on $case: exit $status, expected $want"
    grep -q "interrupted; no outputs kept" err.txt || fail "SIG$signal blocked on $case: $(cat err.txt)"
    [ -z "$(ls -A blocked)" ] || fail "SIG$signal blocked on $case left: $(ls -A blocked)"
  done
done

[ "$failures" -eq 0 ] || exit 1
echo "ok: no user file destroyed, leaked or garbled"
