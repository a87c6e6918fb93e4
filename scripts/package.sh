#!/usr/bin/env bash
# Builds the Debian package of Skimora: a release build with Debian's hardening flags in
# ./build-package, then the .deb through CPack, checked by lintian. Prints the package's path.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh --packages-only dpkg-dev file lintian appstream desktop-file-utils

# Debian's compiler and linker flags with every hardening feature.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
export CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
export LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DSKIMORA_BUILD_TESTS=OFF -DSKIMORA_BUILD_BENCH=OFF >/dev/null
cmake --build build-package
rm -f build-package/skimora_*.deb
(cd build-package && cpack -G DEB >/dev/null)
deb=$(ls build-package/skimora_*.deb)

appstreamcli validate --no-net data/desktop/*.metainfo.xml
desktop-file-validate data/desktop/*.desktop
# No errors and no warnings; what lintian only notes is explained in the README.
lintian --fail-on error,warning "$deb"
echo "$deb"
