#!/usr/bin/env bash
# A sanitizer report must end the process with status 86, the test presets' setting, which no
# program of the project uses for anything else. Skipped (77) outside a test preset that sets it.
# Usage: check_exit.sh FAULTS_PROGRAM
set -u
case "${ASAN_OPTIONS:-}" in *exitcode=86*) ;; *) echo "ASAN_OPTIONS does not set exitcode=86: skipped"; exit 77 ;; esac
status=0
for fault in overflow heap; do
  "$1" "$fault" >/dev/null 2>&1
  got=$?
  if [ "$got" -ne 86 ]; then echo "FAIL: $fault exited $got, expected 86"; status=1; fi
done
[ "$status" -eq 0 ] && echo "ok: both sanitizers exit 86"
exit "$status"
