#!/usr/bin/env bash
# Builds chatsieve and screens the sample chat transcript with the sample word lists:
# through the filter (as written, and across separators, with positions as JSON), and
# through the legacy exports at filter levels 1 and 2, as a host of the old interface.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh cmake ninja-build g++

cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)" --target chatsieve_tool sample_word_lists
tool=build/release/bin/chatsieve
chat=data/sample-chat.txt

# check exits 1 when it found a listed word: that is what the demo shows.
check() { "$tool" check "$@" <"$chat" || [ $? -eq 1 ]; }

echo
echo "== The filter: which lines hold a listed word, as written =="
check
echo
echo "== The filter, across separators (병.신, 씨-발), masked and with positions =="
"$tool" mask --separators <"$chat"
check --separators --format json
for level in 1 2; do
  echo
  echo "== The legacy exports at level $level: checked, then masked =="
  check --legacy --level "$level"
  "$tool" mask --legacy --level "$level" <"$chat"
done
echo
echo "== The legacy filter object, masking in place where the stripped words stand =="
"$tool" mask --legacy --in-place <"$chat"
