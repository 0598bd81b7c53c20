#!/usr/bin/env bash
# The word-list commands of the tool, end to end: compile, then dump what was written;
# dump of a UTF-8 list with its fields.
# usage: word_list_tool_test.sh PATH/TO/chatsieve
tool=$1
source "$(dirname "$0")/tool_test_support.sh"

# A BOM, comments, blank lines, a CR LF line end, Hangul, jamo and ASCII of both cases.
printf '\xEF\xBB\xBF# comment\n\n가나다\r\nAbc\n  \nㅅㅂ\n# another\nx y\n' >"$work/words.txt"
printf '가나다\nAbc\nㅅㅂ\nx y\n' | sort >"$work/expected.txt"

for format in narrow wide; do
  flag=()
  [ "$format" = wide ] && flag=(--wide)
  "$tool" compile "${flag[@]}" -o "$work/$format.bcd" "$work/words.txt" >/dev/null ||
    fail "$format: compile failed"
  "$tool" dump "$work/$format.bcd" 2>"$work/$format.err" | sort >"$work/$format.txt" ||
    fail "$format: dump failed"
  diff -u "$work/expected.txt" "$work/$format.txt" || fail "$format: words differ"
  grep -q "$format word list, 4 words declared, 4 loaded" "$work/$format.err" ||
    fail "$format: dump summary: $(cat "$work/$format.err")"
done

# A UTF-8 list: compiling it says its fields are dropped; dump prints each entry with
# all four fields, in index order, and names the lines without a usable word.
printf 'bad\tslur\t3\tstart\n# c\nass\t\t1\nx y\n' >"$work/fields.txt"
"$tool" compile --wide -o "$work/fields.bcd" "$work/fields.txt" 2>"$work/fields.err" >/dev/null ||
  fail "fields: compile failed"
grep -q '2 words have a category, severity or place' "$work/fields.err" || fail "fields: nothing dropped"
printf '\xFF\n' >>"$work/fields.txt"
status=0
"$tool" dump "$work/fields.txt" >"$work/fields.out" 2>"$work/fields.err" || status=$?
[ "$status" -eq 1 ] || fail "fields: dump exited $status, not 1"
printf 'bad\tslur\t3\tstart\nass\t\t1\tanywhere\nx y\t\t2\tanywhere\n' | diff -u - "$work/fields.out" ||
  fail "fields: entries differ"
grep -q 'fields.txt:5: not valid UTF-8' "$work/fields.err" || fail "fields: line 5 not named"
grep -q 'UTF-8 word list, 3 words' "$work/fields.err" || fail "fields: $(cat "$work/fields.err")"

# Words code page 949 lacks: named by line, and no narrow file is written.
printf 'ok\n\xF0\x9F\x98\x80\nfine\ncaf\xC3\xA9\n' >"$work/foreign.txt"
if "$tool" compile -o "$work/foreign.bcd" "$work/foreign.txt" 2>"$work/foreign.err"; then
  fail "foreign: compile succeeded"
fi
grep -q 'foreign.txt:2:' "$work/foreign.err" || fail "foreign: line 2 not named"
grep -q 'foreign.txt:4:' "$work/foreign.err" || fail "foreign: line 4 not named"
[ ! -e "$work/foreign.bcd" ] || fail "foreign: a narrow file was written"
"$tool" compile --wide -o "$work/foreignW.bcd" "$work/foreign.txt" >/dev/null ||
  fail "foreign: the wide list was refused"
[ "$("$tool" dump "$work/foreignW.bcd" 2>/dev/null | wc -l)" -eq 4 ] || fail "foreign: wide words lost"

# Lines that are not UTF-8 are named, and nothing is written.
printf 'ok\n\xFF\xFE\n' >"$work/broken.txt"
if "$tool" compile --wide -o "$work/broken.bcd" "$work/broken.txt" 2>"$work/broken.err"; then
  fail "broken: compile succeeded"
fi
grep -q 'broken.txt:2: not valid UTF-8' "$work/broken.err" || fail "broken: line 2 not named"
[ ! -e "$work/broken.bcd" ] || fail "broken: a file was written"

# A list without words replaces nothing.
echo 'old' >"$work/kept.bcd"
printf '# nothing\n' >"$work/empty.txt"
if "$tool" compile -o "$work/kept.bcd" "$work/empty.txt" 2>/dev/null; then
  fail "empty: compile succeeded"
fi
[ "$(cat "$work/kept.bcd")" = old ] || fail "empty: the old file was changed"

# Usage errors name the argument; files that are no word lists give the system's reason.
while IFS='|' read -r arguments named; do
  # shellcheck disable=SC2086
  if "$tool" $arguments >/dev/null 2>"$work/usage.err"; then fail "'$arguments' succeeded"; fi
  grep -qF -- "$named" "$work/usage.err" || fail "'$arguments': no '$named' in $(cat "$work/usage.err")"
done <<TABLE
compile|no word list named
compile -o|'-o' needs a value
compile a b|unexpected argument 'b'
compile --frob x|unknown option '--frob'
dump|no word-list file named
dump a b|unexpected argument 'b'
dump -x|unknown option '-x'
version now|unexpected argument 'now'
compile $work|cannot open: is a directory
dump $work|cannot open: is a directory
dump $work/missing.bcd|missing.bcd: cannot open: No such file or directory
TABLE
printf 'ok\na\0b\n' >"$work/zero.txt"
if "$tool" compile --wide -o "$work/zero.bcd" "$work/zero.txt" 2>"$work/zero.err"; then
  fail "zero: compile succeeded"
fi
grep -q 'zero.txt:2: holds a zero byte' "$work/zero.err" || fail "zero: line 2 not named"

# Output that cannot be written is an error, whatever the command.
while IFS='|' read -r arguments; do
  status=0
  # shellcheck disable=SC2086
  "$tool" $arguments >/dev/full 2>"$work/full.err" || status=$?
  [ "$status" -eq 2 ] || fail "'$arguments' to a full device exited $status, not 2"
  grep -q 'cannot write standard output' "$work/full.err" || fail "'$arguments': $(cat "$work/full.err")"
done <<TABLE
version
dump $work/wide.bcd
compile --wide -o $work/full.bcd $work/words.txt
check --list $work/wide.bcd ok
mask --list $work/wide.bcd ok
TABLE

# Every command documents its exit statuses.
for command in version compile dump check mask; do
  "$tool" "$command" -h | grep -q 'exit status' || fail "$command -h: no exit statuses"
done

finish "word list tool"
