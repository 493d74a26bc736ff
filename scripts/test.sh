#!/usr/bin/env bash
# Sets up everything, builds Kelvo and runs the whole test suite (unit, widget and end-to-end tests).
# Exits non-zero on any failure.
#   scripts/test.sh            normal build, every test
#   scripts/test.sh --unit     normal build, unit and widget tests only (a quick path for contributors)
#   scripts/test.sh --sanitize ASan+UBSan build, unit tests only
#   scripts/test.sh --fuzz S   libFuzzer targets, S seconds each
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh test
mode=${1:-}
case "$mode" in
    "")
        cmake --preset default > /dev/null
        cmake --build --preset default
        ctest --preset default -LE e2e
        # The end-to-end scenarios time a real program on real desktops; on a loaded machine a start-up has
        # been seen to miss its deadline about once in twenty runs. A scenario that fails is run once more,
        # and both runs stay in the log with their diagnostics.
        ctest --preset default -L e2e --repeat until-pass:2
        ;;
    --unit)
        cmake --preset default > /dev/null
        cmake --build --preset default
        ctest --preset default -LE e2e
        ;;
    --sanitize)
        cmake --preset asan > /dev/null
        cmake --build --preset asan
        ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
            ctest --preset asan
        ;;
    --fuzz)
        seconds=${2:-60}
        cmake --preset fuzz > /dev/null
        cmake --build --preset fuzz
        for fuzzer in build-fuzz/fuzz/*; do
            [ -f "$fuzzer" ] && [ -x "$fuzzer" ] || continue
            corpus=$(mktemp -d)
            seeds=tests/data/fuzz/$(basename "$fuzzer")
            [ -d "$seeds" ] && cp -r "$seeds"/. "$corpus"/
            echo "== $(basename "$fuzzer") for ${seconds}s"
            # A small quarantine keeps the fuzzer well under the memory the machine can spare.
            ASAN_OPTIONS=detect_leaks=0:quarantine_size_mb=8 "$fuzzer" -max_total_time="$seconds" -max_len=4096 \
                -rss_limit_mb=1024 \
                -print_final_stats=1 "$corpus" 2>&1 | tail -n 12
            rm -rf "$corpus"
        done
        ;;
    *)
        echo "usage: scripts/test.sh [--unit | --sanitize | --fuzz SECONDS]" >&2
        exit 2
        ;;
esac
