#!/bin/sh
# Runs a Windows program under Wine in the build's own prefix, quietly: the
# emulator CTest runs the Windows tests with.
#
#     run_under_wine.sh PREFIX PROGRAM ARGUMENTS...
export WINEPREFIX="$1"
export WINEDEBUG=-all
shift
exec wine "$@"
