#!/usr/bin/env bash
# The demo on a real server database, for a person to try: starts a throwaway MariaDB server
# that lives in one folder (socket only, no service, nothing in /etc), loads the MariaDB port of
# the demo into its database hlreports_demo and prints the connection string to give to
# `hlreports --connection`.
#
#   scripts/demo-server.sh [FOLDER]        # start and load; FOLDER defaults to build/demo-server
#   scripts/demo-server.sh stop [FOLDER]   # stop the server again (its files stay in FOLDER)
#
# Needs mariadb-server, mariadb-client, odbc-mariadb and sqlite3 (scripts/install-deps.sh) and a
# built host command (scripts/build.sh release). Every demo report runs on the server, with the
# answer files in demo/answers/ as on the embedded demo.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ "${1:-}" = --help ] || [ "${1:-}" = -h ]; then
    sed -n '2,12p' "$0" | sed 's/^# \{0,1\}//'
    exit 0
fi
if [ "${1:-}" = stop ]; then
    exec "$root/scripts/mariadb-throwaway.sh" stop "${2:-$root/build/demo-server}"
fi
folder=${1:-$root/build/demo-server}
hlreports=$root/build/release/apps/hlreports/hlreports

echo "Starting MariaDB in $folder ..."
socket=$("$root/scripts/mariadb-throwaway.sh" start "$folder")
echo "Loading the demo ..."
"$root/scripts/mariadb-demo-load.sh" "$socket" hlreports_demo
connection="Driver={MariaDB Unicode};Socket=$socket;UID=root;Database=hlreports_demo"
cat <<TEXT

The demo is on the server. Print a report from it with:

  $hlreports print "Resident List" --answers $root/demo/answers/rptTenantList.json \\
      --connection "$connection" --out resident-list.html

Connection string:
  $connection

Stop the server with:
  $0 stop $folder
TEXT
