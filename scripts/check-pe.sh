#!/usr/bin/env bash
# Checks that the built program is what we ship: a 32-bit (PE32, i386) Windows GUI
# executable with ASLR and NX switched on that imports only DLLs every Windows has.
set -u
exe=${1:?usage: check-pe.sh PROGRAM.exe}
dump=$(i686-w64-mingw32-objdump -p "$exe") || { echo "cannot read $exe"; exit 1; }
failures=0
expect() {
  if ! grep -q -E "$1" <<<"$dump"; then echo "FAIL: $2"; failures=$((failures + 1)); else echo "ok: $2"; fi
}
expect 'file format pei-i386' 'i386 code'
expect 'Magic[[:space:]]+010b' 'PE32 (32-bit) image'
expect 'Subsystem[[:space:]]+00000002' 'Windows GUI subsystem'
expect '^[[:space:]]+DYNAMIC_BASE' 'DYNAMIC_BASE (ASLR)'
expect '^[[:space:]]+NX_COMPAT' 'NX_COMPAT (DEP)'
system_dlls='^(advapi32|comctl32|comdlg32|gdi32|kernel32|msvcrt|ole32|oleaut32|shell32|user32|wininet|winspool\.drv|uxtheme|version|shlwapi|imm32|sapi)(\.dll)?$'
while read -r dll; do
  if grep -q -i -E "$system_dlls" <<<"$dll"; then
    echo "ok: imports $dll (system)"
  else
    echo "FAIL: imports $dll, which is not a Windows system DLL"
    failures=$((failures + 1))
  fi
done < <(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$dump")
[ "$failures" -eq 0 ] && echo "$exe: all checks passed"
exit "$failures"
