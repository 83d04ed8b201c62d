#!/usr/bin/env bash
# Builds HLReports and runs the demo: the embedded demo database is built from demo/sql and
# several reports are printed as HTML and text into demo-output/ (or the folder given).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" release
"$root/build/release/apps/hlreports/hlreports" demo --out-dir "${1:-$root/demo-output}"
