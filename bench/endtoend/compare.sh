#!/usr/bin/env bash
# Runs the end-to-end benchmark and compares it with its targets: PrintReport within 2x of the
# sqlite3 shell writing the same query as CSV (PrintRS, whose rows are fetched beforehand, is
# shown beside it), the heap's peak within 2x of the recordset XML for both requests, and the
# resident memory of `hlreports print` writing the same report to HTML within 2.5x of the XML.
# Usage: bench/endtoend/compare.sh [BUILD_DIR] [extra benchmark options]
# Needs the targets bench_endtoend and hlreports, jq and /usr/bin/time.
# Exit 0 when every target is met, 1 when one is missed.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:-$root/build/release}" && pwd)
shift || true
program="$build/bench/endtoend/bench_endtoend"
command="$build/apps/hlreports/hlreports"
for needed in "$program" "$command"; do
    if [[ ! -x $needed ]]; then
        echo "compare.sh: $needed is missing; build the targets bench_endtoend and hlreports" >&2
        exit 2
    fi
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
result="$work/result.json"
HLREPORTS_BENCH_KEEP_DATABASE="$work/generated.db" \
    "$program" --benchmark_format=json --benchmark_min_time=2 "$@" >"$result"

echo "Where a request's time and memory go:"
jq -r '.benchmarks[] | select(.name | test("^BM_Stage")) |
  "  \(.name)  \(.real_time | floor) ms  peak \(.PeakMB * 10 | floor / 10) MB"' "$result"
jq -r '
  .benchmarks[] | select(.name | test("^BM_Print")) |
  [.name, (.real_time | floor), (.ShellMs * 100 | floor / 100), (.VsShell * 100 | floor / 100),
   (.PeakMB * 10 | floor / 10), (.XmlMB * 10 | floor / 10), (.PeakPerXml * 100 | floor / 100),
   (if (.name | test("^BM_PrintRs")) or .VsShell <= 2 then "met" else "MISSED" end),
   (if .PeakPerXml <= 2 then "met" else "MISSED" end)] | @tsv' "$result" >"$work/requests.tsv"
awk 'BEGIN { FS = "\t"; printf "%-22s %9s %9s %8s %8s %8s %7s %9s %9s\n", "request", "ms",
             "shell ms", "x shell", "peak MB", "xml MB", "x xml", "time", "memory" }
     { printf "%-22s %9s %9s %8s %8s %8s %7s %9s %9s\n", $1, $2, $3, $4, $5, $6, $7, $8, $9 }' \
    "$work/requests.tsv"

# The command on the same rows, its data folder and ODBC configuration made beside them.
xmlMB=$(jq -r '[.benchmarks[] | select(.name | test("^BM_Print")) | .XmlMB][0]' "$result")
(cd "$work" && HLREPORTS_DEMO_DB="$work/generated.db" /usr/bin/time -o "$work/rss" -f %M \
    "$command" print "Wait List" --property-id GEN --property-name "Generated Gardens" \
    --ui headless --out "$work/report.html" >/dev/null 2>"$work/command.err") || {
    echo "compare.sh: hlreports print failed:" >&2
    cat "$work/command.err" >&2
    exit 2
}
rssKB=$(cat "$work/rss")
awk -v kb="$rssKB" -v xml="$xmlMB" 'BEGIN {
    rss = kb * 1024 / 1e6; ratio = rss / xml
    printf "hlreports print to HTML: max resident %.1f MB, %.2f x xml, target <= 2.5 %s\n", rss,
           int(ratio * 100) / 100, ratio <= 2.5 ? "met" : "MISSED" }'

missed=$(cut -f8,9 "$work/requests.tsv" | grep -c MISSED || true)
ratioMissed=$(awk -v kb="$rssKB" -v xml="$xmlMB" 'BEGIN { print (kb * 1024 / 1e6 / xml > 2.5) }')
if [[ $missed -gt 0 || $ratioMissed -eq 1 ]]; then
    exit 1
fi
