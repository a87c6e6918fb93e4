#!/usr/bin/env bash
# Builds the benchmarks for release into ./build-release and runs one of them with the
# arguments given. Besides what the build needs (scripts/setup.sh installs it), the benchmarks
# use pandoc and Python to make their books from our own prose (bench/make_bench_books.py).
#
#   scripts/bench.sh bench_textopen --benchmark_filter=BM_OpenPandocBook
set -euo pipefail
cd "$(dirname "$0")/.."

if [ $# -lt 1 ]; then
    echo "usage: scripts/bench.sh <benchmark> [benchmark arguments...]" >&2
    exit 2
fi
bench=$1
shift

scripts/install-packages.sh pandoc python3
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DSKIMORA_BUILD_BENCH=ON >/dev/null
cmake --build build-release --target "$bench"
cd build-release
exec "bench/$bench" "$@"
