#!/usr/bin/env bash
# Builds Skimora if needed, performs the per-user installation step (an empty
# settings store when there is none) and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
store="${XDG_CONFIG_HOME:-$HOME/.config}/Skimora v6.0 ru.conf"
if [ ! -e "$store" ]; then
    mkdir -p "$(dirname "$store")"
    : > "$store"
fi
exec build/program/skimora "$@"
