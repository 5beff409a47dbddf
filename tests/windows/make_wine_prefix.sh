#!/bin/sh
# Wine makes its prefix (its C: drive and registry) at its first start in
# it: done once, before the Windows tests, and timed.
#
#     make_wine_prefix.sh PREFIX
set -eu
export WINEPREFIX="$1"
export WINEDEBUG=-all
started=$(date +%s%N)
wine cmd /c exit >/dev/null 2>&1
wineserver -w
echo "Wine's start in $WINEPREFIX took $((($(date +%s%N) - started) / 1000000)) ms"
