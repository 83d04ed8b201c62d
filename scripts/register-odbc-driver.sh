#!/usr/bin/env bash
# Registers the ODBC driver "Larchfield Data" that report DSNs name, in odbcinst.ini:
#   Driver = the SQLite 3 ODBC driver (libsqliteodbc), which stands in for the data-folder driver
#   Setup  = the setup library built here (target hlreportsodbcS), whose ConfigDSN adds and
#            removes the DSNs; without it unixODBC cannot create a DSN for any driver
# usage: scripts/register-odbc-driver.sh PATH/TO/libhlreportsodbcS.so
# Writes $ODBCSYSINI/odbcinst.ini when ODBCSYSINI is set, else /etc/odbcinst.ini (root needed).
# Safe to run again: an identical registration is left alone, a different one is updated.
set -euo pipefail

name="Larchfield Data"
fail() { echo "register-odbc-driver: $*" >&2; exit 1; }

if [ $# -ne 1 ]; then
    echo "usage: $0 PATH/TO/libhlreportsodbcS.so (installed: <prefix>/lib/odbc/libhlreportsodbcS.so)" >&2
    exit 2
fi
# odbcinst.ini must name the library by an absolute path: unixODBC loads it from any directory.
setup=$(realpath -e -- "$1" 2>/dev/null) || fail "setup library $1 not found; build the target hlreportsodbcS first"
[ -f "$setup" ] || fail "setup library $setup is not a file"
command -v odbcinst >/dev/null || fail "odbcinst not found; install the package odbcinst"

multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH 2>/dev/null || gcc -print-multiarch 2>/dev/null || true)
[ -n "$multiarch" ] || fail "cannot tell the multiarch library folder (no dpkg-architecture, no gcc)"
driver=/usr/lib/$multiarch/odbc/libsqlite3odbc.so
[ -f "$driver" ] || fail "$driver not found; install the package libsqliteodbc"

if [ -n "${ODBCSYSINI:-}" ] && [ ! -d "$ODBCSYSINI" ]; then
    fail "ODBCSYSINI names $ODBCSYSINI, which is not a folder"
fi

# Installing again would raise the usage count, so a registration that already matches stays.
current=$(odbcinst -q -d -n "$name" 2>/dev/null || true)
if grep -qxF "Driver=$driver" <<<"$current" && grep -qxF "Setup=$setup" <<<"$current"; then
    echo "register-odbc-driver: \"$name\" is already registered with $setup"
    exit 0
fi

template=$(mktemp)
trap 'rm -f "$template"' EXIT
cat >"$template" <<TEMPLATE
[$name]
Description=HLReports data folders (SQLite 3 ODBC driver)
Driver=$driver
Setup=$setup
TEMPLATE
odbcinst -i -d -f "$template" || fail "odbcinst could not register \"$name\""
echo "register-odbc-driver: \"$name\" registered with $setup"
