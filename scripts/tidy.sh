#!/usr/bin/env bash
# Runs clang-tidy (bugprone and performance checks, see .clang-tidy) over every source of the
# program, its tests and tools, in a build without precompiled headers (build-tidy/).
# Fails on any finding.   scripts/tidy.sh [file-regex]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --packages-only clang-tidy
cmake -S . -B build-tidy -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_EXPORT_COMPILE_COMMANDS=ON \
    -DSKIMORA_PRECOMPILE_HEADERS=OFF >/dev/null
# The checked sources include what moc generates: only the moc steps are built (and the
# libraries they wait for), not the tests and the program.
mapfile -t generated < <(ninja -C build-tidy -t targets all | grep -v CMakeFiles |
    sed -n 's/^\([^:]*_autogen\): phony$/\1/p')
cmake --build build-tidy --parallel 2 --target "${generated[@]}"
run-clang-tidy -quiet -j 2 -p build-tidy "${1:-^$PWD/(src|tests|tools)/.*\.cpp$}"
