#!/usr/bin/env bash
# ctest fixture of the server tests: starts (or stops) the throwaway MariaDB server in FOLDER.
# Outside CI a machine without MariaDB is not an error: the tests then skip and say why. In CI
# (CI=true) the server must start; if it does not, this fails and prints the server's log.
set -euo pipefail
action=$1
folder=$2
root=$(cd "$(dirname "$0")/../.." && pwd)
if [ "$action" = start ] && [ "${CI:-}" != true ] && ! command -v mariadbd >/dev/null; then
    echo "MariaDB is not installed (scripts/install-deps.sh installs it); the server tests skip"
    rm -f "$folder/mysqld.sock"
    exit 0
fi
exec "$root/scripts/mariadb-throwaway.sh" "$action" "$folder"
