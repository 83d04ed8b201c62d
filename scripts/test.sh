#!/usr/bin/env bash
# Builds and runs every test: the release build, then the address/undefined sanitizer build;
# then checks the install, the example host built against it and the Debian package; then runs
# every fuzz target for a short fixed time (scripts/fuzz.sh; FUZZ_SECONDS, default 20).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
jobs=$(nproc)
for kind in release sanitize; do
    echo "== $kind build"
    "$root/scripts/build.sh" "$kind"
    echo "== $kind tests"
    ASAN_OPTIONS=detect_leaks=1 ctest --test-dir "$root/build/$kind" --output-on-failure -j "$jobs"
done
echo "== install and package"
"$root/scripts/check-install.sh" "$root/build/release"
echo "== fuzz targets"
"$root/scripts/fuzz.sh" "${FUZZ_SECONDS:-20}"
