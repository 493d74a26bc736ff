#!/usr/bin/env bash
# Checks the C++ sources against the tree's .clang-format and .clang-tidy, and looks for unused functions;
# exits non-zero on any finding.
#   scripts/lint.sh              formatting of every file, clang-tidy on the program's whole tree (a library
#                                at a time) and on each source changed since main
#   scripts/lint.sh --tidy-all   clang-tidy on every source file by file as well (an hour on two cores)
#   scripts/lint.sh --format     reformats every file in place and stops
set -euo pipefail
cd "$(dirname "$0")/.."

mapfile -t sources < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = --format ]; then
    clang-format -i "${sources[@]}"
    exit 0
fi

echo "== clang-format (${#sources[@]} files)"
clang-format --dry-run --Werror "${sources[@]}"

# Functions declared but never defined, or defined but never called, read off the normal build's objects.
if [ -x build/kelvo ]; then
    echo "== unused code"
    python3 scripts/unused-code.py build
else
    echo "== unused code: skipped, the normal build is not there (scripts/test.sh makes it)"
fi

# The program's whole tree, each library read as one unit (the "tidy" preset, a unity build that is only
# configured): Qt's headers are then parsed and matched once a library instead of once a file, which takes
# this run from about an hour on two cores to a minute or two. The clang static analyzer looks only at a
# unit's own text, which here is a list of includes, so its checks run only in the file-by-file run below.
cmake --preset tidy > /dev/null
mapfile -t units < <(python3 -c 'import json, sys
for entry in json.load(open(sys.argv[1])):
    if "_autogen/" not in entry["file"]:
        print(entry["file"])' build-tidy/compile_commands.json)
echo "== clang-tidy, the program's tree (${#units[@]} units)"
printf '%s\n' "${units[@]}" |
    xargs -P "$(nproc)" -n 1 clang-tidy -p build-tidy --quiet --warnings-as-errors='*' \
        --checks=-bugprone-suspicious-include \
        --header-filter="^$PWD/(platform|settings|optimizer|controls|forms|app|assets)/" 2> /dev/null

# File by file, with every check: the sources changed since main (tests included), or all of them. It reads
# the compile commands of the normal build.
[ -f build/compile_commands.json ] || cmake --preset default > /dev/null
if [ "${1:-}" = --tidy-all ]; then
    mapfile -t changed < <(git ls-files '*.cpp')
else
    base=$(git merge-base HEAD main 2> /dev/null || git rev-list --max-parents=0 HEAD)
    # A changed header is checked through the source file beside it.
    mapfile -t changed < <(git diff --name-only --diff-filter=d "$base" -- '*.cpp' '*.h' |
                           sed 's/\.h$/.cpp/' | sort -u)
fi
tidy=()
for file in "${changed[@]}"; do
    # Only what the normal build compiles (the fuzzers need their own build).
    [ -f "$file" ] && grep -q "\"file\": \"$PWD/$file\"" build/compile_commands.json && tidy+=("$file")
done
echo "== clang-tidy (${#tidy[@]} files)"
[ ${#tidy[@]} -eq 0 ] && exit 0
printf '%s\n' "${tidy[@]}" |
    xargs -P "$(nproc)" -n 1 clang-tidy -p build --quiet --warnings-as-errors='*' 2> /dev/null
