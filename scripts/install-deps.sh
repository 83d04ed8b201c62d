#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running HLReports need.
# Safe to run again: packages already present are left as they are.
set -euo pipefail

packages=(
    build-essential cmake ninja-build ccache pkg-config clang clang-format libclang-rt-14-dev
    libsqlite3-dev sqlite3
    unixodbc unixodbc-dev odbcinst libsqliteodbc uuid-dev
    mariadb-server mariadb-client odbc-mariadb
    libpugixml-dev libfmt-dev libcli11-dev nlohmann-json3-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    help2man dpkg-dev jq time
    qt6-base-dev qt6-qpa-plugins fonts-dejavu-core poppler-utils
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    echo "install-deps: all packages present"
    exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
fi
echo "install-deps: installing ${missing[*]}"
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
