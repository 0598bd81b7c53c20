#!/usr/bin/env bash
# Builds the release preset and packs it as a Debian package, build/release/chatsieve_*.deb,
# which `apt-get install ./build/release/chatsieve_VERSION_amd64.deb` installs.
set -euo pipefail
cd "$(dirname "$0")/.."

# dpkg-dev and file: CPack reads the package's dependencies from its binaries with them.
scripts/install-deps.sh cmake ninja-build g++ pkgconf libcpp-httplib-dev nlohmann-json3-dev \
  dpkg-dev file

cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)"
cpack --preset release
