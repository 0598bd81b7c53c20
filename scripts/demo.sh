#!/usr/bin/env bash
# Builds chatsieve and screens the sample chat transcript with the sample word lists.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh cmake ninja-build g++

cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)" --target chatsieve_tool
tool=build/release/bin/chatsieve
"$tool" version
