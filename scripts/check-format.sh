#!/usr/bin/env bash
# Fails when a C++ file of the project is not as .clang-format lays it out; prints the files.
#   scripts/check-format.sh --fix   formats them instead
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --packages-only clang-format
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = --fix ]; then
    clang-format -i "${files[@]}"
    exit 0
fi
off=()
for f in "${files[@]}"; do
    clang-format --dry-run -Werror "$f" >/dev/null 2>&1 || off+=("$f")
done
if [ ${#off[@]} -gt 0 ]; then
    printf 'Not formatted with .clang-format (scripts/check-format.sh --fix):\n' >&2
    printf '  %s\n' "${off[@]}" >&2
    exit 1
fi
