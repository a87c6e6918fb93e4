#!/usr/bin/env bash
# Runs clang-tidy (bugprone and performance checks, see .clang-tidy) over every source of the
# program, its tests and tools, in a build without precompiled headers (build-tidy/).
# Fails on any finding.   scripts/tidy.sh [file-regex]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --packages-only clang-tidy
cmake -S . -B build-tidy -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_EXPORT_COMPILE_COMMANDS=ON \
    -DSKIMORA_PRECOMPILE_HEADERS=OFF >/dev/null
# The generated sources (moc, resources) must exist before their includers are checked.
cmake --build build-tidy
run-clang-tidy -quiet -p build-tidy "${1:-^$PWD/(src|tests|tools)/.*\.cpp$}"
