#!/usr/bin/env bash
# The screening commands of the tool, end to end: check and mask, as written and
# stripped, in both encodings, with the default lists beside the library and a named one.
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

printf 'bad\nBo\n' >"$work/words.txt"
"$tool" compile --wide -o "$work/listW.bcd" "$work/words.txt" >/dev/null
"$tool" compile -o "$work/list.bcd" "$work/words.txt" >/dev/null

for list in listW.bcd list.bcd; do
  expect 1 $'listed\txBADx\nclean\tb a d' "$tool" check --list "$work/$list" xBADx 'b a d'
  expect 0 $'clean\tb.a.d' "$tool" check --level 1 --list "$work/$list" b.a.d
  expect 1 $'listed\tb.a.d' "$tool" check --level 2 --list "$work/$list" b.a.d
  expect 0 '' "$tool" check --quiet --list "$work/$list" fine
  expect 1 '' "$tool" check --quiet --list "$work/$list" bo
  expect 0 $'clean\txbadx' "$tool" check --level 3 --list "$work/$list" xbadx
done

expect 0 'x###x b.a.d' "$tool" mask --level 1 --char '#' --list "$work/listW.bcd" 'xbadx b.a.d'
expect 0 '*.*.* ok' "$tool" mask --list "$work/listW.bcd" 'b.a.d ok'
expect 0 '가●●나' "$tool" mask --char '●' --list "$work/listW.bcd" '가bo나'
expect 0 'xbadx' "$tool" mask --level 0 --list "$work/listW.bcd" xbadx
expect 0 'a-*-*-*' "$tool" mask --in-place --list "$work/listW.bcd" 'a-b-a-d'

# Standard input, line by line, and code page 949 text.
printf 'ok\nxbad\n' | expect 1 $'clean\tok\nlisted\txbad' "$tool" check --list "$work/list.bcd"
printf '\xB0\xA1bad\n' >"$work/cp949.txt"
expect 0 $'\xB0\xA1***' "$tool" mask --encoding cp949 --list "$work/list.bcd" <"$work/cp949.txt"

# The default lists beside the library are the shipped sample.
expect 1 $'listed\t씨-발' "$tool" check 씨-발
expect 1 $'listed\tshit' "$tool" check --encoding cp949 shit

# Errors: exit status 2 and a message, never a listing.
for arguments in "check --level x a" "check --encoding latin1 a" "check --bogus" \
  "mask --in-place --char # a" "mask --in-place --level 1 a" "mask --char ab a" \
  "mask --encoding cp949 --char ● a" "check --list $work/missing.bcd a" \
  "check --list $work/words.txt a"; do
  # shellcheck disable=SC2086
  expect 2 '' "$tool" $arguments
  [ -s "$work/stderr" ] || fail "$arguments: no message"
done
printf '\xFF\n' | expect 2 '' "$tool" check --list "$work/listW.bcd"

finish "screening tool"
