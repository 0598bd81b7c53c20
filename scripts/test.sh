#!/usr/bin/env bash
# Builds chatsieve with warnings as errors and runs every test, then builds it again
# with AddressSanitizer + UndefinedBehaviorSanitizer and runs every test once more.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh cmake ninja-build g++ libgtest-dev binutils pkgconf \
  libcpp-httplib-dev nlohmann-json3-dev

jobs=$(nproc)
for preset in ci debug; do
  echo "== chatsieve: build and test ($preset) =="
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  ctest --preset "$preset" -j "$jobs"
done
