#!/usr/bin/env bash
# Bounded fuzzing run: builds the fuzz targets with clang, libFuzzer and the
# address and undefined-behaviour sanitizers, then fuzzes each target for a
# fixed time starting from its seed corpus. Exits non-zero on the first fault;
# the input that caused it is left in the build folder as crash-*.
#
#   tools/fuzz.sh                      # about a minute per target
#   FUZZ_SECONDS=600 tools/fuzz.sh     # a longer run by hand
#   FUZZ_BUILD_DIR=/tmp/fz tools/fuzz.sh number_text
#
# To keep what a run found as a regression input, copy the crash file into
# fuzz/corpus/<target>/ under a name that says what it shows.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${FUZZ_BUILD_DIR:-$root/build/fuzz}
seconds=${FUZZ_SECONDS:-60}
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(number_text typing)

# Debian's unversioned clang and llvm packages put the release's default
# LLVM on the PATH under plain names.
clang=$(command -v clang++ || true)
if [ -z "$clang" ]; then
    echo "fuzz.sh: clang++ not found (Debian: clang libclang-rt-dev)" >&2
    exit 2
fi

# A fault report names functions and lines only with LLVM's symbolizer.
symbolizer=$(command -v llvm-symbolizer || true)
[ -n "$symbolizer" ] && export ASAN_SYMBOLIZER_PATH=$symbolizer

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER="$clang" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTREL_FUZZ=ON -DVANTREL_WITH_QT=OFF \
    -DVANTREL_TESTS=OFF -DVANTREL_BENCHMARKS=OFF >/dev/null
cmake --build "$build" -j2 --target "${targets[@]/#/fuzz_}"

status=0
for target in "${targets[@]}"; do
    work=$(mktemp -d)
    log="$build/fuzz_$target.log"
    echo "== fuzzing $target for ${seconds}s (log: $log)"
    set +e
    ASAN_OPTIONS=detect_leaks=1 "$build/fuzz/fuzz_$target" -max_total_time="$seconds" \
        -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$build/" \
        "$work" "$root/fuzz/corpus/$target" >"$log" 2>&1
    rc=$?
    set -e
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
    corpus=$(find "$work" -type f | wc -l)
    echo "   $target: ${runs:-?} executions (${speed:-?}/s), $corpus new corpus inputs, exit $rc"
    if [ "$rc" -ne 0 ]; then
        grep -E 'ERROR|fault|^  input:|^  detail:|SUMMARY|Test unit written' "$log" | head -20 >&2
        status=1
    fi
    rm -rf "$work"
done
exit "$status"
