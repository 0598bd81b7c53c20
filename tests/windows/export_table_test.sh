#!/usr/bin/env bash
# The DLL as a linker and a loader see it: its export table holds exactly the legacy
# names, undecorated, and beside them only chatsieve_* names; a host linked against it
# imports them under those names; and the DLL itself imports only system DLLs, so it
# needs nothing beside it.
# Usage: export_table_test.sh OBJDUMP DLL HOST
set -euo pipefail
objdump=$1 dll=$2 host=$3
expected="InitBadChatMan InitBadChatManW IsBad IsBadToRep IsBadToRepW IsBadW SetLevel"
failures=0

check() {  # what, actual, expected
  if [ "$2" = "$3" ]; then
    echo "ok: $1"
  else
    echo "FAILED: $1: got '$2', expected '$3'"
    failures=$((failures + 1))
  fi
}

# The filter's C names may stand beside the legacy ones; nothing else may.
exports=$("$objdump" -p "$dll" | sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' |
  awk '/^\t\[/ && $NF !~ /^chatsieve_/ { print $NF }' | sort | tr '\n' ' ' | sed 's/ $//')
check "exports of $(basename "$dll")" "$exports" "$expected"

imports=$("$objdump" -p "$host" | sed -n "/DLL Name: $(basename "$dll")/,/^\$/p" |
  awk 'NF == 3 && $2 ~ /^[0-9]+$/ && $3 !~ /^chatsieve_/ { print $3 }' | sort | tr '\n' ' ' | sed 's/ $//')
check "what $(basename "$host") imports from it" "$imports" "$expected"

# Names as Windows spells its own DLLs; anything else would have to ship beside ours.
foreign=$("$objdump" -p "$dll" | awk '/DLL Name:/ { print $3 }' |
  grep -Eiv '^(kernel32|msvcrt|user32|advapi32|ntdll|ucrtbase|api-ms-win-[a-z0-9-]+)\.dll$' |
  tr '\n' ' ' | sed 's/ $//' || true)
check "DLLs it needs beside the system's" "$foreign" ""

echo "$((3 - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
