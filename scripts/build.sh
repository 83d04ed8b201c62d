#!/usr/bin/env bash
# Configures and builds one build tree: scripts/build.sh [release|debug|sanitize]
# The trees live in build/<kind>; every kind builds the library, the host command and the tests.
# The sanitizer tree leaves out the Qt driver: Qt's own libraries are not built with the
# sanitizers, so its offscreen tests run in the release tree (as the server tests do).
set -euo pipefail
kind=${1:-release}
root=$(cd "$(dirname "$0")/.." && pwd)
case "$kind" in
    release)  options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo) ;;
    debug)    options=(-DCMAKE_BUILD_TYPE=Debug) ;;
    sanitize) options=(-DCMAKE_BUILD_TYPE=Debug -DHL_SANITIZE=ON -DHL_BUILD_BENCH=OFF -DHL_WITH_QT=OFF) ;;
    *) echo "usage: scripts/build.sh [release|debug|sanitize]" >&2; exit 2 ;;
esac
# Paths relative to the checkout, so that several checkouts share one compiler cache.
export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1
cmake -S "$root" -B "$root/build/$kind" -G Ninja -DHL_WARNINGS_AS_ERRORS=ON "${options[@]}" >/dev/null
ninja -C "$root/build/$kind"
