#!/usr/bin/env bash
# Builds the Debian package: scripts/package.sh
# Builds build/release and writes build/release/package/hlreports_<version>_<arch>.deb (CPack).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh" release
cd "$root/build/release"
cpack -G DEB
