#!/usr/bin/env bash
# brenvik.dll exports by ordinal only (30001 to 30010, no names) and
# imports nothing but Windows system DLLs.
set -euo pipefail
dll="$1"
zrzut=$("${2:-i686-w64-mingw32-objdump}" -p "$dll")
blad=0
oczekuj() { grep -qE "$1" <<<"$zrzut" || { echo "FAIL: $2"; blad=1; }; }

oczekuj '^Ordinal Base[[:space:]]+30001$' "ordinal base is not 30001"
# The first "Export Address Table" line counts the slots, the first
# "[Name Pointer/Ordinal] Table" line the names.
sloty=$(awk '/^[[:space:]]*Export Address Table[[:space:]]+[0-9a-f]+$/{print $4; exit}' <<<"$zrzut")
nazwy=$(awk '/^[[:space:]]*\[Name Pointer\/Ordinal\] Table[[:space:]]+[0-9a-f]+$/{print $4; exit}' <<<"$zrzut")
[ -n "$sloty" ] && [ "$((16#$sloty))" -eq 10 ] || { echo "FAIL: export address table has ${sloty:-no} (hex) slots, not 10"; blad=1; }
[ -n "$nazwy" ] && [ "$((16#$nazwy))" -eq 0 ] || { echo "FAIL: ${nazwy:-?} exports have names"; blad=1; }

# Ordinals with an entry point: exactly 30001, 30008, 30009, 30010.
obecne=$(sed -n 's/^[[:space:]]*\[[[:space:]]*[0-9]*\] +base\[\([0-9]*\)\].*/\1/p' <<<"$zrzut" | sort -u | tr '\n' ' ')
[ "$obecne" = "30001 30008 30009 30010 " ] || { echo "FAIL: ordinals with an entry point: $obecne"; blad=1; }

importy=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$zrzut" | tr 'A-Z' 'a-z' | sort -u)
for dll_importu in $importy; do
  case "$dll_importu" in
    kernel32.dll|msvcrt.dll|user32.dll|advapi32.dll|ntdll.dll) ;;
    *) echo "FAIL: imports $dll_importu"; blad=1 ;;
  esac
done

if [ $blad -eq 0 ]; then
  echo "exports: ordinal base 30001, 10 slots, no names; imports: $(echo $importy)"
  echo "1 passed, 0 failed"
else
  echo "$zrzut" | sed -n '/Export Address Table/,/^$/p'
  exit 1
fi
