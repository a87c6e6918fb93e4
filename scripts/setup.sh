#!/usr/bin/env bash
# Installs the Debian packages the build needs (only those missing), then
# configures and builds into ./build. Safe to run again.
#   scripts/setup.sh --packages-only [package...]   only installs, these packages too
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev qt6-svg-dev qt6-translations-l10n libgl-dev
    libqt6sql6-sqlite qt6-charts-dev libqt6opengl6-dev
    libzip-dev libpugixml-dev libsqlite3-dev
    fonts-liberation fonts-dejavu-core
)

only_packages=false
if [ "${1:-}" = --packages-only ]; then
    only_packages=true
    shift
    packages+=("$@")
fi

scripts/install-packages.sh "${packages[@]}"
$only_packages && exit 0

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build
