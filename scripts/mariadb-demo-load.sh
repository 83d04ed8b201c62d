#!/usr/bin/env bash
# Loads the demo into a database of a MariaDB server, for the server tests and
# scripts/demo-server.sh:
#
#   scripts/mariadb-demo-load.sh SOCKET DATABASE [DATA_FOLDER]
#
# The tables and their rows are generated from the embedded demo itself (demo/sql/*.sql, run by
# sqlite3 into a scratch file), so the two databases cannot drift apart: each table gets the
# same columns (varchar(n), int, smallint, money as DECIMAL(19,4), float as DOUBLE, bit as
# BIT(1), date) and primary key, every row, and the same indexes. The views and the stored
# procedures are the MariaDB port in demo/mariadb/ (the embedded ones are SQLite bodies). The
# database is dropped and created afresh with a binary collation, so that text compares and
# sorts as it does in the embedded database. The report folder is this checkout's demo/reports;
# the data folder defaults to the one the host command uses beside the demo database.
set -euo pipefail

usage() { echo "usage: $0 SOCKET DATABASE [DATA_FOLDER]" >&2; exit 2; }
[ $# -ge 2 ] && [ $# -le 3 ] || usage
socket=$1
database=$2
root=$(cd "$(dirname "$0")/.." && pwd)
report_dir=$root/demo/reports
data_dir=${3:-$root/build/release/demo/data}
case "$database" in
    *[!A-Za-z0-9_]*|'') echo "the database name may hold only letters, digits and _" >&2; exit 2 ;;
esac
for tool in sqlite3 mariadb; do
    command -v "$tool" >/dev/null || { echo "$tool is not installed (scripts/install-deps.sh installs it)" >&2; exit 1; }
done

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
embedded=$scratch/demo.db

# A path as the text of an SQL literal, then escaped for sed's replacement.
replacement() {
    local literal=${1//\'/\'\'}
    printf '%s' "$literal" | sed 's/[\\&|]/\\&/g'
}
cat "$root"/demo/sql/*.sql |
    sed -e "s|{REPORT_DIR}|$(replacement "$report_dir")|g" -e "s|{DATA_DIR}|$(replacement "$data_dir")|g" |
    sqlite3 "$embedded"

tables=$(sqlite3 "$embedded" "SELECT name FROM sqlite_master WHERE type = 'table' AND name <> 'sys_procedures' ORDER BY name")

{
    echo "SET sql_mode = 'NO_BACKSLASH_ESCAPES,STRICT_TRANS_TABLES,NO_ENGINE_SUBSTITUTION';"
    echo "SET NAMES utf8mb4;"
    echo "DROP DATABASE IF EXISTS $database;"
    echo "CREATE DATABASE $database CHARACTER SET utf8mb4 COLLATE utf8mb4_bin;"
    echo "USE $database;"
    # Each table with the same columns, types mapped to MariaDB's, and primary key.
    sqlite3 "$embedded" "
        SELECT 'CREATE TABLE ' || m.name || ' (' || group_concat(char(96) || p.name || char(96) || ' ' ||
            CASE WHEN lower(p.type) LIKE 'varchar%' OR lower(p.type) LIKE 'char%' THEN upper(p.type)
                 WHEN lower(p.type) IN ('int', 'integer') THEN 'INT'
                 WHEN lower(p.type) = 'smallint' THEN 'SMALLINT'
                 WHEN lower(p.type) = 'money' THEN 'DECIMAL(19,4)'
                 WHEN lower(p.type) = 'float' THEN 'DOUBLE'
                 WHEN lower(p.type) = 'bit' THEN 'BIT(1)'
                 WHEN lower(p.type) = 'date' THEN 'DATE'
                 WHEN lower(p.type) = 'datetime' THEN 'DATETIME'
                 WHEN lower(p.type) = 'text' THEN 'TEXT'
                 ELSE 'UNMAPPED_TYPE_' || p.type END ||
            CASE WHEN p.\"notnull\" THEN ' NOT NULL' ELSE '' END, ', ') ||
            coalesce((SELECT ', PRIMARY KEY (' || group_concat(char(96) || k.name || char(96), ', ') || ')'
                      FROM (SELECT name FROM pragma_table_info(m.name) WHERE pk > 0 ORDER BY pk) k), '') ||
            ');'
        FROM sqlite_master m, pragma_table_info(m.name) p
        WHERE m.type = 'table' AND m.name <> 'sys_procedures'
        GROUP BY m.name ORDER BY m.name;"
    echo "START TRANSACTION;"
    for table in $tables; do
        sqlite3 -cmd ".mode insert $table" "$embedded" "SELECT * FROM $table"
    done
    echo "COMMIT;"
    sqlite3 "$embedded" "SELECT sql || ';' FROM sqlite_master WHERE type = 'index' AND sql IS NOT NULL ORDER BY name"
    cat "$root"/demo/mariadb/*.sql
} >"$scratch/load.sql"

if grep -q UNMAPPED_TYPE_ "$scratch/load.sql"; then
    echo "a demo column has a type the MariaDB port does not map:" >&2
    grep -o "[A-Za-z_]* UNMAPPED_TYPE_[^ ,)]*" "$scratch/load.sql" >&2
    exit 1
fi
mariadb --no-defaults --socket="$socket" -uroot --batch <"$scratch/load.sql"
echo "loaded the demo into $database ($(echo "$tables" | wc -w) tables)"
