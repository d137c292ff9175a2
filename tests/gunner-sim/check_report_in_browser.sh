#!/usr/bin/env bash
# Writes a report with gunner-sim and opens it in headless Chromium: the page's script must have
# run without errors (it marks the footer data-state="ok") and the pictures must be in the page.
# Exits 77 (skipped) only when no Chromium is installed.
# Usage: check_report_in_browser.sh GUNNER_SIM SCENARIO WORK_DIR
set -u
program=$1 scenario=$2 work=$3

browser=""
for candidate in chromium chromium-browser google-chrome; do
  if command -v "$candidate" >/dev/null 2>&1; then browser=$(command -v "$candidate"); break; fi
done
if [ -z "$browser" ]; then echo "no Chromium installed (scripts/install-deps.sh browser): skipped"; exit 77; fi

fail() { echo "FAIL: $*"; exit 1; }

rm -rf "$work"
mkdir -p "$work"
"$program" --quiet --no-progress --keep-failed --report "$work/report" "$scenario" >"$work/run.log" 2>&1
[ -f "$work/report/index.html" ] || fail "no report written: $(cat "$work/run.log")"
if grep -qE '(src|href)="(https?:)?//' "$work/report/index.html"; then fail "the report refers to the network"; fi

flags=(--headless --no-sandbox --disable-gpu --disable-quic --no-first-run --disable-background-networking
       --disable-component-update --disable-sync --user-data-dir="$work/profile")
url="file://$(cd "$work/report" && pwd)/index.html"
timeout 120 "$browser" "${flags[@]}" --dump-dom "$url" >"$work/dom.html" 2>"$work/browser.log" ||
  fail "chromium --dump-dom failed: $(tail -5 "$work/browser.log")"
timeout 120 "$browser" "${flags[@]}" --window-size=1280,2000 --screenshot="$work/report.png" "$url" \
  >>"$work/browser.log" 2>&1 || fail "chromium --screenshot failed: $(tail -5 "$work/browser.log")"

footer=$(grep -o '<footer id="page-status"[^>]*>[^<]*' "$work/dom.html")
[ -n "$footer" ] || fail "no status footer in the rendered page"
echo "$footer" | grep -q 'data-state="ok"' || fail "the page's script did not finish cleanly: $footer"
screens=$(echo "$footer" | sed -n 's/.*data-screens="\([0-9]*\)".*/\1/p')
[ "${screens:-0}" -ge 1 ] || fail "no screen pictures: $footer"
echo "$footer" | grep -q 'data-maps="1"' || fail "no map: $footer"
echo "$footer" | grep -q 'data-charts="1"' || fail "no chart: $footer"
svgs=$(grep -o '<svg' "$work/dom.html" | wc -l)
[ "$svgs" -ge $((screens + 2)) ] || fail "$svgs SVG pictures in the page, expected at least $((screens + 2))"
size=$(stat -c %s "$work/report.png" 2>/dev/null || echo 0)
[ "$size" -gt 20000 ] || fail "the screenshot is suspiciously small ($size bytes)"
echo "ok: $footer; $svgs SVG pictures; screenshot $size bytes"
