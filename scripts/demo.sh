#!/usr/bin/env bash
# Builds chatsieve and screens the sample chat transcript with the sample word lists,
# at filter level 1 (as written) and level 2 (also with punctuation and symbols removed).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh cmake ninja-build g++

cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)" --target chatsieve_tool sample_word_lists
tool=build/release/bin/chatsieve
chat=data/sample-chat.txt

for level in 1 2; do
  echo
  echo "== Which lines hold a listed word, level $level =="
  "$tool" check --level "$level" <"$chat" || [ $? -eq 1 ]  # 1: a listed word was found
done
for level in 1 2; do
  echo
  echo "== The transcript masked, level $level =="
  "$tool" mask --level "$level" <"$chat"
done
echo
echo "== Masked in place, where the stripped words stand =="
"$tool" mask --in-place <"$chat"
