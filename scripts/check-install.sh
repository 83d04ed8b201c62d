#!/usr/bin/env bash
# Checks what the component ships, from a built tree (default build/release):
#   1. installs it into a scratch prefix, compiles each public header on its own and runs the
#      installed hlreports there;
#   2. builds examples/host against the installed CMake package and runs it end to end;
#   3. builds the same host with the installed pkg-config file;
#   4. builds the Debian package and checks that it lists every shipped piece.
# usage: scripts/check-install.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/release}" && pwd)
fail() { echo "check-install: $*" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix"

echo "== install into a scratch prefix"
cmake --install "$build" --prefix "$prefix" >"$work/install.log"
version=$("$prefix/bin/hlreports" --version)
echo "$version"
[[ $version == "hlreports "* ]] || fail "hlreports --version printed '$version'"

echo "== every installed header compiles on its own"
(cd "$prefix/include" && find hlreports -name '*.h' | sort) |
    xargs -P "$(nproc)" -I{} sh -c 'echo "#include <{}>" |
        c++ -std=c++20 -fsyntax-only -Wall -Wextra -Werror -I"$0" -x c++ - ||
        { echo "check-install: {} does not compile on its own" >&2; exit 255; }' "$prefix/include"

echo "== the installed command builds its demo database in the user's cache and prints"
export XDG_CACHE_HOME="$work/cache"
"$prefix/bin/hlreports" print "Apartment Status" --out "$work/status.json"
demo="$XDG_CACHE_HOME/hlreports"
[ -f "$demo/hlreports-demo.db" ] || fail "the installed command built no demo database in $demo"
grep -q "Setup=$prefix/" "$demo/odbc/odbcinst.ini" ||
    fail "the private ODBC configuration does not name the installed setup library"

echo "== examples/host against the installed CMake package"
cmake -S "$root/examples/host" -B "$work/example" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
ninja -C "$work/example" >/dev/null
mkdir "$work/out"
ODBCSYSINI="$demo/odbc" ODBCINI="$demo/odbc/user-odbc.ini" \
    "$work/example/hlreports-example" "$demo/hlreports-demo.db" "$demo/data" "$work/out"
grep -q "Monthly rent" "$work/out/charge-types.txt" || fail "PrintRS lost the host's rows"
[ -s "$work/out/returned-items.txt" ] || fail "PrintReport wrote no report"

echo "== the same host with pkg-config"
export PKG_CONFIG_PATH="$prefix/lib/pkgconfig:$prefix/lib/$(gcc -print-multiarch)/pkgconfig"
libdir=$(pkg-config --variable=libdir hlreports)
# shellcheck disable=SC2046 # the flags are words
c++ -std=c++20 -o "$work/example-pc" "$root/examples/host/main.cpp" \
    $(pkg-config --cflags --libs hlreports) -Wl,-rpath,"$libdir"
# Without arguments it loads the library and stops with its usage line (exit 2).
status=0
"$work/example-pc" >/dev/null 2>&1 || status=$?
[ "$status" -eq 2 ] || fail "the pkg-config build of the example did not start (exit $status)"

echo "== the Debian package"
(cd "$build" && cpack -G DEB >"$work/cpack.log") || { cat "$work/cpack.log" >&2; fail "cpack failed"; }
deb="$build/package/hlreports_${version#hlreports }_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "cpack wrote no $deb"
dpkg-deb --contents "$deb" | awk '{print $6}' >"$work/contents"
for shipped in ./usr/bin/hlreports ./usr/include/hlreports/Reports.h \
    ./usr/include/hlreports/runtime/Variant.h ./usr/share/man/man1/hlreports.1.gz \
    ./usr/share/hlreports/register-odbc-driver.sh ./usr/share/hlreports/demo/sql/010-schema.sql \
    ./usr/share/doc/hlreports/host-api.md; do
    grep -qxF "$shipped" "$work/contents" || fail "$deb lacks $shipped"
done
for pattern in '/libhlreports\.so\.[0-9]+$' '/cmake/HLReports/HLReportsConfig\.cmake$' \
    '/cmake/HLReports/HLReportsConfigVersion\.cmake$' '/pkgconfig/hlreports\.pc$' \
    '/odbc/libhlreportsodbcS\.so$'; do
    grep -qE "$pattern" "$work/contents" || fail "$deb lacks a file matching $pattern"
done
depends=$(dpkg-deb --field "$deb" Depends)
for needed in libsqliteodbc odbcinst libsqlite3 libodbcinst; do
    [[ $depends == *"$needed"* ]] || fail "$deb does not depend on $needed (Depends: $depends)"
done
echo "check-install: $(basename "$deb") and the installed tree are complete"
