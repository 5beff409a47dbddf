#!/bin/sh
# The Windows program needs no DLL beyond Windows' own: the compiler's
# runtime and winpthread are linked into it.
#
#     check_dlls.sh OBJDUMP PROGRAM
set -u
dlls=$("$1" -p "$2" | sed -n 's/.*DLL Name: //p') || exit 1
[ -n "$dlls" ] || { echo "check_dlls: no DLL read from $2"; exit 1; }
status=0
for dll in $dlls; do
    case $(echo "$dll" | tr 'A-Z' 'a-z') in
    kernel32.dll|user32.dll|gdi32.dll|opengl32.dll|glu32.dll|winmm.dll|msvcrt.dll) ;;
    *) echo "check_dlls: $2 needs $dll, which Windows does not have"; status=1 ;;
    esac
done
[ $status -eq 0 ] && echo "check_dlls: only Windows' own DLLs:" $dlls
exit $status
