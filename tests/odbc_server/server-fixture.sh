#!/usr/bin/env bash
# ctest fixture of the server tests: starts (or stops) the throwaway MariaDB server in FOLDER,
# or loads the demo into it (load-demo FOLDER DEMO_FOLDER: database hlreports_demo with
# DEMO_FOLDER/data as its data folder; DEMO_FOLDER/loaded marks success).
# Outside CI a machine without MariaDB is not an error: the tests then skip and say why. In CI
# (CI=true) the server must start; if it does not, this fails and prints the server's log.
set -euo pipefail
action=$1
folder=$2
root=$(cd "$(dirname "$0")/../.." && pwd)
if [ "$action" = load-demo ]; then
    demo_folder=$3
    rm -rf "$demo_folder"
    mkdir -p "$demo_folder/data"
    if [ "${CI:-}" != true ] && [ ! -S "$folder/mysqld.sock" ]; then
        echo "no MariaDB server is running; the demo port tests skip"
        exit 0
    fi
    "$root/scripts/mariadb-demo-load.sh" "$folder/mysqld.sock" hlreports_demo "$demo_folder/data"
    touch "$demo_folder/loaded"
    exit 0
fi
if [ "$action" = start ] && [ "${CI:-}" != true ] && ! command -v mariadbd >/dev/null; then
    echo "MariaDB is not installed (scripts/install-deps.sh installs it); the server tests skip"
    rm -f "$folder/mysqld.sock"
    exit 0
fi
exec "$root/scripts/mariadb-throwaway.sh" "$action" "$folder"
