#!/usr/bin/env bash
# The screening commands of the tool, end to end: check and mask through the filter
# and through the legacy exports, with every list format, the default lists beside the
# library, positions as JSON, and the errors a newcomer runs into.
# usage: screening_tool_test.sh PATH/TO/chatsieve
tool=$1
source "$(dirname "$0")/tool_test_support.sh"

# expect STATUS OUTPUT COMMAND...: the command's exit status and standard output.
expect() {
  local status=$1 output=$2
  shift 2
  local actual_status=0 actual
  actual=$("$@" 2>"$work/stderr") || actual_status=$?
  [ "$actual_status" -eq "$status" ] || fail "$* exited $actual_status, not $status"
  [ "$actual" = "$output" ] || fail "$* printed '$actual', not '$output'"
}

# said TEXT: standard error of the last expect holds TEXT.
said() {
  grep -qF -- "$1" "$work/stderr" || fail "no '$1' in: $(cat "$work/stderr")"
}

printf 'bad\nBo\n' >"$work/words.txt"
printf 'badge\n' >"$work/allowed.txt"
"$tool" compile --wide -o "$work/listW.bcd" "$work/words.txt" >/dev/null
"$tool" compile -o "$work/list.bcd" "$work/words.txt" >/dev/null

for list in words.txt listW.bcd list.bcd; do
  filter=("$tool" check --list "$work/$list")
  expect 1 $'listed\txBADx\nclean\tb.a.d' "${filter[@]}" xBADx b.a.d
  expect 1 $'listed\tb.a.d' "${filter[@]}" --separators b.a.d
  expect 0 '' "${filter[@]}" -q fine
  expect 1 '' "${filter[@]}" --quiet bo
  [ "$list" = words.txt ] && continue
  legacy=("$tool" check --legacy --list "$work/$list")
  expect 0 $'clean\tb.a.d' "${legacy[@]}" --level 1 b.a.d
  expect 1 $'listed\tb.a.d' "${legacy[@]}" --level=2 b.a.d
done

# Allowed words, positions, and texts after '--'.
expect 0 $'clean\tbadge' "$tool" check --list "$work/words.txt" --allow "$work/allowed.txt" badge
expect 1 $'clean\t-h\nlisted\tbad' "$tool" check --list "$work/words.txt" -- -h bad
expect 1 '{"line":1,"listed":true,"matches":[{"start":1,"end":4,"word":0,"text":"bad","category":"","severity":2},'\
'{"start":5,"end":7,"word":1,"text":"Bo","category":"","severity":2}]}
{"line":2,"listed":false,"matches":[]}' \
  "$tool" check --format json --list "$work/words.txt" 'xbad bo' ok
printf 'a"\\\t\xFFbad\n' |
  expect 0 $'{"line":1,"masked":"a\\"\\\\\\u0009\xEF\xBF\xBD***","matches":[{"start":5,"end":8,"word":0,"text":"bad","category":"","severity":2}]}' \
    "$tool" mask --format json --list "$work/words.txt"

# What a list says of its words, and the policy that chooses which count. A merged
# entry is a warning that leaves the exit status alone.
printf 'bad\tslur\t3\tstart\nass\t\t1\tstart\n년\tinsult\t2\twhole\nBAD\n' >"$work/fields.txt"
while IFS='|' read -r status output arguments; do
  # shellcheck disable=SC2086
  expect "$status" "$(printf %b "$output")" "$tool" $arguments --list "$work/fields.txt" &&
    said 'fields.txt:4: the same word as'
done <<'TABLE'
0|clean	class|check class
1|listed	ass|check ass
0|clean	ass|check --min-severity 2 ass
1|listed	x,bad|check --min-severity=3 x,bad
0|clean	bad|check --categories insult bad
1|listed	bad|check --categories insult,slur bad
1|listed	년아|check 년아
0|clean	작년|check 작년
0|ass,***|mask --min-severity 2 ass,bad
1|{"line":1,"listed":true,"matches":[{"start":0,"end":3,"word":0,"text":"bad","category":"slur","severity":3}]}|check --format json bad
TABLE

# Masking: the filter's styles, and the legacy exports' levels and in-place masking.
masks=("$tool" mask --list "$work/words.txt")
expect 0 '*.*.* ok' "${masks[@]}" --separators 'b.a.d ok'
expect 0 'b.*.* B*' "${masks[@]}" --separators --keep-first 'b.a.d Bo'
expect 0 '가●●나' "${masks[@]}" --char '●' '가bo나'
expect 0 '😀😀😀' "${masks[@]}" --char=😀 bad
expect 0 'x###x b.a.d' "$tool" mask --legacy --level 1 --char '#' --list "$work/listW.bcd" 'xbadx b.a.d'
expect 0 '*.*.* ok' "$tool" mask --legacy --list "$work/listW.bcd" 'b.a.d ok'
expect 0 'a-*-*-*' "$tool" mask --legacy --in-place --list "$work/listW.bcd" 'a-b-a-d'
printf '\xB0\xA1bad\n' >"$work/cp949.txt"
expect 0 $'\xB0\xA1***' "$tool" mask --legacy --encoding cp949 --list "$work/list.bcd" <"$work/cp949.txt"

# Lines are screened without their line ends, and each line end is written back as read:
# CR LF, LF, a CR at the end of the input, or none after the last line.
while IFS='|' read -r input output arguments; do
  # shellcheck disable=SC2059,SC2086
  printf "$input" | "$tool" $arguments >"$work/ends.out" 2>"$work/stderr" || true
  # shellcheck disable=SC2059
  printf "$output" | cmp -s - "$work/ends.out" || fail "$arguments on '$input': $(od -c "$work/ends.out")"
done <<TABLE
xbad\r\nok\nbad|x***\r\nok\n***|mask --list $work/words.txt
bad\r|***\r|mask --list $work/words.txt
bad\r\nok|listed\tbad\r\nclean\tok|check --list $work/words.txt
bad\r\n|{"line":1,"masked":"***","matches":[{"start":0,"end":3,"word":0,"text":"bad","category":"","severity":2}]}\n|mask --format json --list $work/words.txt
b.a.d\r\nxbad|*.*.*\r\nx***|mask --legacy --list $work/listW.bcd
\xB0\xA1bad\r\n|\xB0\xA1***\r\n|mask --legacy --encoding cp949 --list $work/list.bcd
a-b-a-d\r\nbad|a-*-*-*\r\n***|mask --legacy --in-place --list $work/listW.bcd
bad\r\n|listed\tbad\r\n|check --legacy --level 1 --list $work/list.bcd
TABLE

# A zero byte hides nothing from the filter; the legacy exports cannot take it.
[ "$(printf 'a\0bad\n' | "${masks[@]}" | tr '\0' @)" = 'a@***' ] || fail "mask: a zero byte"
printf 'a\0bad\n' | expect 1 '' "$tool" check -q --list "$work/words.txt"
printf 'a\0bad\n' | expect 2 '' "$tool" check --legacy --list "$work/list.bcd" && said 'line 1 holds a zero byte'
printf 'a\0bad\n' | expect 2 '' "$tool" mask --legacy --in-place --list "$work/list.bcd" && said 'line 1'
# Text that is not UTF-8: screened by the filter, an error with its line for the exports,
# and an error never hides a listed word silently.
printf '\xFFbad\n' | expect 1 '' "$tool" check -q --list "$work/words.txt"
printf 'ok\n\xFF\nbad\n' | expect 2 $'clean\tok\nlisted\tbad' "$tool" check --legacy --list "$work/listW.bcd"
said 'line 2 is not UTF-8' && said 'listed words were found, but errors occurred'

# The default lists beside the library are the shipped sample.
expect 1 $'listed\t씨발' "$tool" check 씨발
expect 1 $'listed\t씨-발' "$tool" check --separators 씨-발
expect 1 $'listed\ttlqkf\nlisted\tㅅㅣㅂㅏㄹ' "$tool" check --normalize korean tlqkf ㅅㅣㅂㅏㄹ
expect 0 $'clean\ttlqkf' "$tool" check --normalize width,jamo tlqkf
expect 1 $'listed\t씨-발' "$tool" check --legacy 씨-발
expect 1 $'listed\tshit' "$tool" check --legacy --encoding cp949 shit

# Errors: exit status 2, nothing listed, and a message naming what is wrong.
while IFS='|' read -r arguments named; do
  # shellcheck disable=SC2086
  expect 2 '' "$tool" $arguments && said "$named"
done <<TABLE
check --level x a|'x'
check --legacy --level 7 a|not '7'
check --level 1 a|--level screens through the legacy exports
check --encoding cp949 a|add --legacy
check --encoding latin1 a|'latin1'
check --legacy --allow $work/allowed.txt a|--allow needs the filter
check --legacy --separators a|--separators
check --legacy --format json a|--format json
check --legacy --min-severity 2 a|--min-severity needs the filter
mask --legacy --categories slur a|--categories needs the filter
check --min-severity 4 a|--min-severity takes 1 (mild), 2 (offensive) or 3 (severe), not '4'
check --categories slur,,hate a|--categories takes
check --format xml a|'xml'
check -x a|unknown option '-x'
check --bogus|'--bogus'
check --list|'--list' needs a value
mask --legacy --keep-first a|--keep-first
mask --legacy --in-place --char # a|--in-place
mask --char ab a|'ab'
mask --legacy --encoding cp949 --char ● a|ASCII
check --list $work/missing.bcd a|missing.bcd: cannot open: No such file or directory
check --list $work a|cannot open: is a directory
check --legacy --list $work a|cannot open: is a directory
check --legacy --list $work/words.txt a|not a binary word-list file
check --messages 8 a|--messages takes a number from 1 to 7
mask --conversation --format json a|use check --conversation --format json
TABLE

# A conversation: standard input is one speaker's lines, and a word sent in pieces is
# found in the line that completes it, with the lines it spans.
expect 1 $'clean\t시\nlisted\t발' sh -c "printf '시\\n발\\n' | '$tool' check --conversation"
expect 0 $'시\n*' sh -c "printf '시\\n발\\n' | '$tool' mask --conversation"
conversation_json=$(printf '안녕\n시\n발\n' | "$tool" check --conversation --format json) || true
case $conversation_json in
  *'"lines":[2,3]'*) ;;
  *) fail "check --conversation --format json printed: $conversation_json" ;;
esac

finish "screening tool"
