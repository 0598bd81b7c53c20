#!/usr/bin/env bash
# The bindings' benchmark: lines a second of check and mask on bench/data (10,000 words,
# one thread) in C, Python and Node.js. Needs the Node.js package built first (npm install
# in bindings/node).
set -euo pipefail
cd "$(dirname "$0")/../.."

words=bench/data/words-10000.txt
chat=bench/data/chat.txt
cmake --preset release >/dev/null
cmake --build --preset release -j 2 --target chatsieve >/dev/null
library="$PWD/build/release/lib"
mkdir -p build/bindings
cc -O2 -std=c11 -D_GNU_SOURCE -Wall -Wextra -Iinclude bench/bindings/filter_speed.c \
  -L"$library" -lchatsieve -Wl,-rpath,"$library" -o build/bindings/filter_speed

echo "== C =="
build/bindings/filter_speed "$words" "$chat"
echo "== Python =="
PYTHONPATH=bindings/python CHATSIEVE_LIBRARY="$library/libchatsieve.so" \
  /usr/bin/python3 bench/bindings/python_speed.py "$words" "$chat"

echo "== Node.js $(node --version) =="
node bench/bindings/node_speed.js "$words" "$chat"
