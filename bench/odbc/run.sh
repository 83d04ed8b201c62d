#!/usr/bin/env bash
# Runs bench_odbc against a throwaway MariaDB server: bench/odbc/run.sh [BUILD_TREE]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
tree=${1:-$root/build/release}
folder=$(mktemp -d /tmp/hlbench-mariadb-XXXXXX)
trap '"$root/scripts/mariadb-throwaway.sh" stop "$folder"; rm -rf "$folder"' EXIT
socket=$("$root/scripts/mariadb-throwaway.sh" start "$folder")
HL_MARIADB_SOCKET=$socket "$tree/bench/odbc/bench_odbc"
