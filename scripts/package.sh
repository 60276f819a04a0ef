#!/usr/bin/env bash
# Builds the Debian package build-deb/realdataquiz_<version>_amd64.deb from the install rules.
# Installs the Debian 12 packages it needs, only those missing. Extra arguments go to the
# CMake configure step; CMAKE_BUILD_PARALLEL_LEVEL limits the build's jobs.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh --deb

# Optimised and hardened as Debian builds its own packages: dpkg-buildflags gives -O2 and the
# hardening flags, so Release adds only -DNDEBUG (its own -O3 would override the -O2).
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B build-deb -G Ninja \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX=/usr \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
    -DCMAKE_CXX_FLAGS_RELEASE=-DNDEBUG \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" \
    -DQUIZ_BUILD_TESTS=OFF -DQUIZ_BUILD_BENCHMARKS=OFF \
    "$@"
cmake --build build-deb

rm -f build-deb/realdataquiz_*.deb
(cd build-deb && cpack -G DEB)
ls build-deb/realdataquiz_*.deb
