#!/usr/bin/env bash
# Builds chatsieve and screens the sample chat transcript with the sample word lists:
# through the filter (as written, and across separators, with positions as JSON), and
# through the legacy exports at filter levels 1 and 2, as a host of the old interface;
# then asks the HTTP service, chatsieve serve, with curl.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh cmake ninja-build g++ pkgconf libcpp-httplib-dev nlohmann-json3-dev curl

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
echo
echo "== The HTTP service: check, find and mask with curl, on a free loopback port =="
log=$(mktemp)
"$tool" serve --listen 127.0.0.1:0 --separators 2>"$log" &
service=$!
trap 'kill -TERM "$service"; wait "$service"; rm -f "$log"' EXIT
for _ in $(seq 100); do grep -q 'listening on' "$log" && break; sleep 0.05; done
address=$(grep -o 'http://[^ ]*' "$log")
for request in 'check {"text": "너 병.신"}' 'find {"text": "😀 야 씨.발"}' \
    'mask {"texts": ["씨발 렉", "안녕"], "char": "●"}'; do
  echo "POST /v1/${request%% *} ${request#* }"
  curl -sS "$address/v1/${request%% *}" -d "${request#* }"
  echo
done
