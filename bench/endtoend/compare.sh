#!/usr/bin/env bash
# Runs the end-to-end benchmark and compares it with its targets: each request within 3x of the
# sqlite3 shell writing the same query as CSV, and the heap's peak within 3x of the recordset XML.
# Usage: bench/endtoend/compare.sh [BUILD_DIR] [extra benchmark options]
# Exit 0 when every target is met, 1 when one is missed.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build/release}
shift || true
program="$build/bench/endtoend/bench_endtoend"
if [[ ! -x $program ]]; then
    echo "compare.sh: $program is missing; build the target bench_endtoend" >&2
    exit 2
fi
result=$(mktemp)
trap 'rm -f "$result"' EXIT
"$program" --benchmark_format=json --benchmark_min_time=2 "$@" >"$result"

echo "Where a request's time and memory go:"
jq -r '.benchmarks[] | select(.name | test("^BM_Stage")) |
  "  \(.name)  \(.real_time | floor) ms  peak \(.PeakMB * 10 | floor / 10) MB"' "$result"
jq -r '
  .benchmarks[] | select(.name | test("^BM_Print")) |
  [.name, (.real_time | floor), (.ShellMs * 100 | floor / 100), (.VsShell * 100 | floor / 100),
   (.PeakMB * 10 | floor / 10), (.XmlMB * 10 | floor / 10), (.PeakPerXml * 100 | floor / 100),
   (if .VsShell <= 3 and .PeakPerXml <= 3 then "met" else "MISSED" end)] | @tsv' "$result" |
  awk 'BEGIN { FS = "\t"; printf "%-22s %9s %9s %8s %8s %8s %10s %7s\n",
               "request", "ms", "shell ms", "x shell", "peak MB", "xml MB", "x xml", "target" }
       { printf "%-22s %9s %9s %8s %8s %8s %10s %7s\n", $1, $2, $3, $4, $5, $6, $7, $8
         if ($8 != "met") missed = 1 }
       END { exit missed }'
