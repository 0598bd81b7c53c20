#!/usr/bin/env bash
# The commands that measure and check a list, end to end: eval against labelled texts in
# each format, lint of a list with faults of each kind, and of the built-in lexicon.
# usage: list_quality_tool_test.sh PATH/TO/chatsieve
tool=$1
source "$(dirname "$0")/tool_test_support.sh"

printf 'bad\tcategory\t2\nworse\t\t1\n' >"$work/words.txt"
# At severity 2 or more: two abusive texts, one found; three others, two flagged.
printf 'you are bad\t1\nso worse\t1\na badge\t0\nfine\t0\nbad luck\t0\n' >"$work/plain.tsv"
printf 'document\tlabel\n"a ""bad"" one"\t3\nfine\t8\nbad too\t1,5\n' >"$work/kmhas.txt"
printf 'comments\tcontain_gender_bias\tbias\thate\nbad\tFalse\tnone\toffensive\nok\tFalse\tnone\tnone\n' \
  >"$work/kocohub.tsv"
while IFS='|' read -r labels format expected; do
  "$tool" eval --labels "$work/$labels" --labels-format "$format" --list "$work/words.txt" \
    --min-severity 2 >"$work/out" 2>&1 || fail "eval $format: status $?: $(cat "$work/out")"
  grep -qF "$expected" "$work/out" || fail "eval $format: no '$expected' in: $(cat "$work/out")"
done <<'TABLE'
plain.tsv|plain|precision 33.3%  recall 50.0%  F1 40.0  false-positive rate 66.7%
plain.tsv|plain|       2  bad
kmhas.txt|kmhas|texts: 2 (1 abusive, 1 not; 1 skipped, labelled neither way)
kmhas.txt|kmhas|precision 100.0%  recall 100.0%
kocohub.tsv|kocohub|true finds 1, false finds 0, misses 0, clean 1
TABLE
"$tool" eval --labels "$work/plain.tsv" --list "$work/words.txt" --format json >"$work/out"
grep -q '"precision":0.5000,"recall":1.0000' "$work/out" || fail "eval json: $(cat "$work/out")"
printf 'no label here\n' >"$work/bad.tsv"
"$tool" eval --labels "$work/bad.tsv" 2>"$work/err" && fail "eval: a line without a label passed"
grep -q 'bad.tsv:1: no tab before the label' "$work/err" || fail "eval: $(cat "$work/err")"

# A list with an entry the repeats reading shrinks, a duplicate, an allowed word that
# allows nothing, and a clean text holding a word.
printf 'xxx\nbad\nBAD\nbadger\n' >"$work/list.txt"
printf 'nothing\nbadge\n' >"$work/allowed.txt"
printf 'a badger\nfine\n' >"$work/clean.txt"
status=0
"$tool" lint "$work/list.txt" --allow "$work/allowed.txt" --clean "$work/clean.txt" \
  --normalize repeats >"$work/out" || status=$?
[ "$status" -eq 1 ] || fail "lint: status $status"
for expected in "list.txt:1: the filter's options read this entry as one character" \
  "list.txt:3: the same word as" "allowed.txt: 'nothing' allows nothing" \
  "clean.txt: 'badger' found in 1 clean lines, first line 1"; do
  grep -qF "$expected" "$work/out" || fail "lint: no '$expected' in: $(cat "$work/out")"
done
"$tool" lint >"$work/out" || fail "lint of the built-in lexicon: $(cat "$work/out")"

finish list_quality_tool
