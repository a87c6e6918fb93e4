#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, address and undefined-behaviour sanitizers) into
# ./build-fuzz and runs each for the given number of seconds, one after the other, at the
# lowest priority. Findings (inputs that crash or break a target's checks) are kept in
# build-fuzz/findings/<target>/; what each run learned stays in build-fuzz/corpus/<target>/.
#
#   scripts/fuzz.sh <seconds> [target...]     targets: rtfreader testfile textmemory
#                                                       textfile storedsettings fb2reader
#                                                       epubreader docxreader odtreader
#                                                       htmlreader (default: all)
set -euo pipefail
cd "$(dirname "$0")/.."

if [ $# -lt 1 ] || ! [[ "$1" =~ ^[0-9]+$ ]]; then
    echo "usage: scripts/fuzz.sh <seconds> [target...]" >&2
    exit 2
fi
seconds=$1
shift
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(rtfreader testfile textmemory textfile storedsettings fb2reader epubreader docxreader
    odtreader htmlreader)

if ! command -v clang++ >/dev/null || ! ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1; then
    echo "The fuzz targets need clang and libFuzzer: apt-get install clang libclang-rt-14-dev" >&2
    exit 1
fi

cmake -S fuzz -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build-fuzz

# Seeds for each target: files from the project's own data and tests.
seeds() {
    case "$1" in
    rtfreader) echo tests/data/rtf data/library ;;
    testfile) echo fuzz/corpus/testfile ;;
    textmemory) echo fuzz/corpus/textmemory ;;
    textfile) echo data/library tests/data ;;
    storedsettings) echo fuzz/corpus/storedsettings ;;
    fb2reader | epubreader | docxreader | odtreader | htmlreader) echo data/library ;;
    *) echo "unknown fuzz target: $1" >&2; exit 2 ;;
    esac
}

# Qt's reader of values stored as "@Variant(...)" asks for huge blocks when such a value is
# damaged, and copes when it is refused, as it is outside the sanitizers: let the allocator
# refuse here too, instead of stopping the run.
export ASAN_OPTIONS=${ASAN_OPTIONS:-allocator_may_return_null=1}

# The targets that write scratch files do so in TMPDIR: a memory file system keeps them fast.
[ -d /dev/shm ] && [ -w /dev/shm ] && export TMPDIR=/dev/shm

status=0
for target in "${targets[@]}"; do
    read -r -a seed_dirs <<<"$(seeds "$target")"
    corpus=build-fuzz/corpus/$target
    findings=build-fuzz/findings/$target
    log=build-fuzz/logs/$target.log
    mkdir -p "$corpus" "$findings" "$(dirname "$log")"
    options=(-max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$findings/")
    case "$target" in
    rtfreader) options+=(-dict=fuzz/rtf.dict) ;;
    *reader) options+=(-dict=fuzz/xml.dict) ;;
    esac
    echo "== fuzz_$target for $seconds s (log: $log)"
    if nice -n 19 "build-fuzz/fuzz_$target" "${options[@]}" "$corpus" "${seed_dirs[@]}" >"$log" 2>&1; then
        result="no finding"
    else
        result="FINDING, see $findings/ and $log"
        status=1
    fi
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo "?")
    echo "   $runs executions, $result"
done
exit $status
