#!/usr/bin/env bash
# Writes a report with gunner-sim and opens it in headless Chromium: the page's script must have
# run without errors (it marks the footer data-state="ok"), and the page must hold what makes it readable at a glance: the map
# with its metre scale and grid, labels that do not overlap, the crew and ped tables, the chart,
# the screen pictures. Extra NAME=VALUE arguments are further footer values to expect (for
# example crew-marks=2), and ready-ms<N a limit on how long the page's script took to be ready.
# Exits 77 (skipped) only when no Chromium is installed.
# Usage: check_report_in_browser.sh GUNNER_SIM SCENARIO WORK_DIR [NAME=VALUE | ready-ms<N]...
set -u
program=$1 scenario=$2 work=$3
shift 3

browser=""
for candidate in chromium chromium-browser google-chrome; do
  if command -v "$candidate" >/dev/null 2>&1; then browser=$(command -v "$candidate"); break; fi
done
if [ -z "$browser" ]; then echo "no Chromium installed (scripts/install-deps.sh browser): skipped"; exit 77; fi

fail() { echo "FAIL: $*"; exit 1; }

rm -rf "$work"
mkdir -p "$work"
"$program" --quiet --no-progress --report "$work/report" "$scenario" >"$work/run.log" 2>&1
[ -f "$work/report/index.html" ] || fail "no report written: $(cat "$work/run.log")"
if grep -qE '(src|href)="(https?:)?//' "$work/report/index.html"; then fail "the report refers to the network"; fi

flags=(--headless --no-sandbox --disable-gpu --disable-quic --no-first-run --disable-background-networking
       --disable-component-update --disable-sync --user-data-dir="$work/profile")
url="file://$(cd "$work/report" && pwd)/index.html"
timeout 120 "$browser" "${flags[@]}" --virtual-time-budget=3000 --dump-dom "$url" >"$work/dom.html" \
  2>"$work/browser.log" || fail "chromium --dump-dom failed: $(tail -5 "$work/browser.log")"
timeout 120 "$browser" "${flags[@]}" --window-size=1280,2000 --screenshot="$work/report.png" "$url" \
  >>"$work/browser.log" 2>&1 || fail "chromium --screenshot failed: $(tail -5 "$work/browser.log")"

footer=$(grep -o '<footer id="page-status"[^>]*>[^<]*' "$work/dom.html")
[ -n "$footer" ] || fail "no status footer in the rendered page"
value() { echo "$footer" | sed -n "s/.* data-$1=\"\([^\"]*\)\".*/\1/p"; }
[ "$(value state)" = ok ] || fail "the page's script did not finish cleanly: $footer"
screens=$(value screens)
[ "${screens:-0}" -ge 1 ] || fail "no screen pictures: $footer"
for expected in maps=1 charts=1 scale=yes play=yes overlaps=0 "$@"; do
  case $expected in
    ready-ms\<*) limit=${expected#ready-ms<}
                 [ "$(value ready-ms)" -lt "$limit" ] || fail "the page took $(value ready-ms) ms to be ready" ;;
    *) [ "$(value "${expected%%=*}")" = "${expected#*=}" ] || fail "expected data-$expected: $footer" ;;
  esac
done
[ "$(value grid-labels)" -ge 4 ] || fail "the map has no metre grid: $footer"
grep -q 'id="crew-table"' "$work/dom.html" || fail "no crew table"
svgs=$(grep -o '<svg' "$work/dom.html" | wc -l)
[ "$svgs" -ge $((screens + 2)) ] || fail "$svgs SVG pictures in the page, expected at least $((screens + 2))"
size=$(stat -c %s "$work/report.png" 2>/dev/null || echo 0)
[ "$size" -gt 20000 ] || fail "the screenshot is suspiciously small ($size bytes)"
echo "ok: $footer; $svgs SVG pictures; screenshot $size bytes"
