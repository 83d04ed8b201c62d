#!/usr/bin/env bash
# Starts or stops a throwaway MariaDB server that lives entirely in one folder: its own data
# files, a unix socket and no TCP port, no system service, root without a password.
#
#   scripts/mariadb-throwaway.sh start FOLDER   # prints the socket path once the server answers
#   scripts/mariadb-throwaway.sh stop FOLDER    # stops the server started in FOLDER
#
# Used by the server tests (a ctest fixture) and by scripts/demo-server.sh. A server that does
# not answer within 60 seconds is stopped again and its log is printed.
set -euo pipefail

usage() { echo "usage: $0 start|stop FOLDER" >&2; exit 2; }
[ $# -eq 2 ] || usage
action=$1
folder=$(mkdir -p "$2" && cd "$2" && pwd)
socket=$folder/mysqld.sock
pidfile=$folder/mariadbd.pid
log=$folder/mariadbd.log

stop_server() {
    [ -f "$pidfile" ] || return 0
    local pid
    pid=$(cat "$pidfile")
    if kill -0 "$pid" 2>/dev/null; then
        kill -TERM "$pid"
        for _ in $(seq 1 300); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -0 "$pid" 2>/dev/null && kill -KILL "$pid"
    fi
    rm -f "$pidfile"
}

case "$action" in
    start)
        for tool in mariadb-install-db mariadbd mariadb-admin; do
            command -v "$tool" >/dev/null || { echo "$tool is not installed (scripts/install-deps.sh installs mariadb-server)" >&2; exit 1; }
        done
        stop_server
        rm -rf "$folder/data"
        user=$(id -un)
        if ! mariadb-install-db --no-defaults --user="$user" --datadir="$folder/data" \
                --auth-root-authentication-method=normal --skip-test-db >"$folder/install.log" 2>&1; then
            echo "mariadb-install-db failed:" >&2
            cat "$folder/install.log" >&2
            exit 1
        fi
        mariadbd --no-defaults --user="$user" --datadir="$folder/data" --socket="$socket" \
            --pid-file="$folder/mariadbd.server.pid" --skip-networking --log-error="$log" \
            --character-set-server=utf8mb4 --collation-server=utf8mb4_general_ci \
            --innodb-flush-log-at-trx-commit=0 --skip-log-bin >/dev/null 2>&1 &
        echo $! >"$pidfile"
        for _ in $(seq 1 600); do
            if mariadb-admin --no-defaults --socket="$socket" -uroot ping >/dev/null 2>&1; then
                echo "$socket"
                exit 0
            fi
            if ! kill -0 "$(cat "$pidfile")" 2>/dev/null; then
                break
            fi
            sleep 0.1
        done
        echo "the MariaDB server in $folder did not start; its log:" >&2
        cat "$log" >&2 || true
        stop_server
        exit 1
        ;;
    stop)
        stop_server
        ;;
    *)
        usage
        ;;
esac
