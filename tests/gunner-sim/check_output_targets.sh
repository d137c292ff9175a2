#!/usr/bin/env bash
# gunner-sim's outputs never clobber what they do not own: devices, pipes and "-" are written
# straight through, a symbolic link keeps pointing at its file, a failed or interrupted run
# removes only what it made, and standard input can be the scenario.
# Usage: check_output_targets.sh GUNNER_SIM SCENARIO LONG_SCENARIO WORK_DIR
set -u
program=$1 scenario=$2 long=$3 work=$4
rm -rf "$work"
mkdir -p "$work"
cd "$work" || exit 1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
sim() { "$program" --quiet --no-progress "$@"; }

# A character device stays one.
sim --trace /dev/null "$scenario" >/dev/null 2>&1 || fail "--trace /dev/null: exit $?"
[ -c /dev/null ] || fail "/dev/null is no longer a character device"

# A FIFO gets the whole trace and stays a FIFO.
mkfifo pipe
(wc -l <pipe >pipe.lines) &
reader=$!
sim --trace pipe "$scenario" >/dev/null 2>&1 || fail "--trace FIFO: exit $?"
wait "$reader"
[ -p pipe ] || fail "the FIFO was replaced"
[ "$(cat pipe.lines)" -gt 1000 ] || fail "the FIFO got $(cat pipe.lines) trace lines"

# A symbolic link keeps pointing at its file, which gets the trace.
echo old >target.jsonl
ln -s target.jsonl link.jsonl
sim --trace link.jsonl "$scenario" >/dev/null 2>&1 || fail "--trace symlink: exit $?"
[ -L link.jsonl ] || fail "the symbolic link was replaced"
grep -q '"name":"GET_SCREEN_RESOLUTION"' target.jsonl || fail "the link's file did not get the trace"

# "-" is standard output for the trace (the story goes to stderr) and standard input for the scenario.
sim --trace - - <"$scenario" >stdout.jsonl 2>story.txt || fail "--trace - with the scenario on stdin: exit $?"
[ ! -e ./- ] || fail "a file named '-' was written"
head -n 1 stdout.jsonl | grep -q '^{"frame":1,' || fail "the trace is not on standard output"
grep -q "^gunner-sim: stdin: PASSED" story.txt || fail "the story does not name stdin: $(head -n 1 story.txt)"

# An existing file named like the temporary one is left alone.
echo mine >kept.jsonl.partial
sim --trace kept.jsonl "$scenario" >/dev/null 2>&1 || fail "--trace beside a .partial: exit $?"
[ "$(cat kept.jsonl.partial)" = mine ] || fail "someone else's .partial file was overwritten"
[ -s kept.jsonl ] || fail "the trace was not written"

# A trace inside the report folder is refused before anything is made.
sim --trace report/index.html --report report "$scenario" >/dev/null 2>err.txt
status=$?
[ "$status" -eq 2 ] || fail "trace inside the report folder: exit $status, expected 2"
grep -q "may not be inside the report folder" err.txt || fail "no reason given: $(cat err.txt)"
[ ! -e report ] || fail "the report folder was made anyway"

# A failed start removes every folder level it made, and only those.
mkdir existing
sim --report existing/a/b/c --trace no/such/folder/t.jsonl "$scenario" >/dev/null 2>&1
status=$?
[ "$status" -eq 3 ] || fail "unwritable trace: exit $status, expected 3"
[ -d existing ] || fail "a folder that existed before was removed"
[ ! -e existing/a ] || fail "left behind: existing/a"

# An endless input ends in a clear error.
timeout 20 "$program" --no-progress /dev/zero >/dev/null 2>err.txt
status=$?
[ "$status" -eq 2 ] || fail "/dev/zero: exit $status, expected 2"
grep -q "larger than the limit of 16 MiB" err.txt || fail "/dev/zero: $(cat err.txt)"

# SIGINT and SIGTERM: the run stops, no partial file stays, the tool dies of the signal.
for signal in INT TERM; do
  mkdir "run-$signal"
  # The program itself in the background (not through a function, whose subshell would get the signal).
  "$program" --quiet --no-progress --trace "run-$signal/t.jsonl" --report "run-$signal/report" "$long" \
    >/dev/null 2>err.txt &
  pid=$!
  for _ in $(seq 100); do [ -e "run-$signal/t.jsonl.partial" ] && break; sleep 0.05; done
  sleep 0.3
  kill -"$signal" "$pid"
  wait "$pid"
  status=$?
  want=$((128 + $(kill -l "$signal")))
  [ "$status" -eq "$want" ] || fail "SIG$signal: exit $status, expected $want"
  [ -z "$(ls -A "run-$signal")" ] || fail "SIG$signal left: $(ls -A "run-$signal")"
  grep -q "interrupted; no outputs kept" err.txt || fail "SIG$signal: $(cat err.txt)"
done

[ "$failures" -eq 0 ] || exit 1
echo "ok: outputs go only where asked"
