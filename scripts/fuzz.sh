#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, address and undefined-behaviour sanitizers) in build/fuzz
# and runs each for SECONDS (default 20) on a scratch copy of its seed corpus:
#   scripts/fuzz.sh [SECONDS] [TARGET...]
# Fails on the first crash, sanitizer report, leak, timeout (a hang) or memory blow-up; the
# input that did it is left in build/fuzz/findings/<target>/. CI runs it with the default.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-20}
shift || true
build="$root/build/fuzz"
export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DHL_WARNINGS_AS_ERRORS=ON \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DHL_BUILD_FUZZ=ON -DHL_BUILD_TESTS=OFF -DHL_BUILD_BENCH=OFF >/dev/null
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for folder in "$root"/fuzz/*/; do
        [ -f "$folder/CMakeLists.txt" ] && targets+=("$(basename "$folder")")
    done
fi
ninja -C "$build" "${targets[@]/#/fuzz_}"
for target in "${targets[@]}"; do
    scratch="$build/corpus/$target"
    findings="$build/findings/$target"
    rm -rf "$scratch" "$findings"
    mkdir -p "$scratch" "$findings"
    options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536
             -print_final_stats=1 -artifact_prefix="$findings/")
    dictionary="$root/fuzz/$target/$target.dict"
    [ -f "$dictionary" ] && options+=(-dict="$dictionary")
    echo "== fuzz_$target for ${seconds}s"
    ASAN_OPTIONS=detect_leaks=1 "$build/fuzz/$target/fuzz_$target" "${options[@]}" \
        "$scratch" "$root/fuzz/$target/corpus" 2>"$build/$target.log" || {
        tail -n 40 "$build/$target.log"
        echo "fuzz_$target failed; the input is in $findings" >&2
        exit 1
    }
    grep -E "stat::number_of_executed_units|Done [0-9]+ runs" "$build/$target.log" | tail -n 1
done
