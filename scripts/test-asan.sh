#!/usr/bin/env bash
# Builds Skimora with the address and undefined-behaviour sanitizers (the `asan` preset, into
# ./build-asan) and runs every test headless; any sanitizer finding fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --packages-only
cmake --preset asan >/dev/null
cmake --build --preset asan
export QT_QPA_PLATFORM=offscreen
# Undefined behaviour stops the test like a memory fault does, instead of being only printed.
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
ctest --preset asan -j 2
