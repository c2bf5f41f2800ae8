#!/usr/bin/env bash
# Fails when a binary imports a DLL that is neither part of Windows nor one of ours,
# for example a mingw runtime DLL that would have to be shipped alongside.
set -u
objdump=${OBJDUMP:-x86_64-w64-mingw32-objdump}
ours="utilvask.dll vask32.dll vaskgate.dll vask.dll commvask.dll nuraprotocol.dll vaskfc.dll
vaskreport.dll"
windows="kernel32.dll user32.dll gdi32.dll advapi32.dll comctl32.dll comdlg32.dll ole32.dll
oleaut32.dll shell32.dll shlwapi.dll winmm.dll ws2_32.dll setupapi.dll winspool.drv
msvcrt.dll version.dll imm32.dll uuid.dll rpcrt4.dll msvfw32.dll iphlpapi.dll"
status=0
[ $# -gt 0 ] || { echo "no binaries given"; exit 1; }
for f in "$@"; do
  [ -f "$f" ] || { echo "missing: $f"; status=1; continue; }
  imports=$("$objdump" -p "$f" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z')
  for dll in $imports; do
    case " $ours $windows " in
      *[[:space:]]"$dll"[[:space:]]*) ;;
      *) echo "$(basename "$f") imports $dll, which is not a Windows DLL nor ours"; status=1 ;;
    esac
  done
  echo "$(basename "$f"): $(echo $imports)"
done
exit $status
