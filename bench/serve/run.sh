#!/usr/bin/env bash
# Load benchmark of `chatsieve serve` with wrk on loopback: single-text checks of the
# chat lines of bench/data/chat.txt, without and then with 20 reloads (SIGHUP) during the
# run, then batches of 100 lines. Builds the release preset's tool first. wrk and the
# service share the machine, so run it when the machine is otherwise quiet.
# Usage: bench/serve/run.sh [SECONDS] [CONNECTIONS]
set -euo pipefail
cd "$(dirname "$0")/../.."

seconds=${1:-10}
connections=${2:-16}
scripts/install-deps.sh cmake ninja-build g++ pkgconf libcpp-httplib-dev nlohmann-json3-dev wrk
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)" --target chatsieve_tool >/dev/null

scratch=$(mktemp -d)
service=
stop_service() {
  [ -n "$service" ] && kill -TERM "$service" 2>/dev/null && wait "$service" || true
  rm -rf "$scratch"
}
trap stop_service EXIT

# The lines as JSON strings, one a line, for the wrk script: only the lines that are
# valid UTF-8 (all of them, in the checked-in file), escaped by the tool's own rule.
LC_ALL=C.UTF-8 grep -ax '.*' bench/data/chat.txt |
  sed -e 's/\\/\\\\/g' -e 's/"/\\"/g' -e 's/\t/\\t/g' -e 's/^/"/' -e 's/$/"/' >"$scratch/lines.json"
cp bench/data/words-10000.txt "$scratch/words.txt"

build/release/bin/chatsieve serve --listen 127.0.0.1:0 --list "$scratch/words.txt" \
  2>"$scratch/serve.log" &
service=$!
for _ in $(seq 100); do grep -q 'listening on' "$scratch/serve.log" && break; sleep 0.05; done
address=$(grep -o 'http://[^ ]*' "$scratch/serve.log")

run_wrk() {
  CHATSIEVE_BENCH_LINES="$scratch/lines.json" wrk -t 1 -c "$connections" -d "${seconds}s" \
    --latency -s bench/serve/post_chat.lua "$@"
}

echo "== single-text checks, $connections connections, ${seconds}s =="
run_wrk "$address/v1/check"

echo
echo "== the same with 20 reloads (SIGHUP) during the run =="
(
  for _ in $(seq 20); do
    sleep "$(awk -v s="$seconds" 'BEGIN { print s / 21 }')"
    kill -HUP "$service"
  done
) &
reloader=$!
run_wrk "$address/v1/check"
wait "$reloader"
sleep 0.2
echo "reloads: $(grep -c 'reloaded:' "$scratch/serve.log"), failed: $(grep -c 'reload failed' "$scratch/serve.log" || true)"

echo
echo "== batches of 100 lines to /v1/check (texts/s = requests/s x 100) =="
CHATSIEVE_BENCH_BATCH=100 run_wrk "$address/v1/check"
