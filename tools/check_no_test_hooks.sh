#!/bin/sh
# The shipped game carries no test hook: none of the test-hooks library's
# symbols (testHooks::, or hookState:: as the platform's side was once
# named) is in the program. The probes' stand-ins are its own.
#   check_no_test_hooks.sh NM PROGRAM
set -u
nm=$1
program=$2
symbols=$("$nm" -C "$program") || exit 1
# A program whose symbols cannot be read would pass for a clean one.
if ! printf '%s\n' "$symbols" | grep -q 'WinMain'; then
    echo "check_no_test_hooks: no symbols read from $program"
    exit 1
fi
if printf '%s\n' "$symbols" | grep -E 'testHooks|hookState'; then
    echo "check_no_test_hooks: $program carries the test hooks above"
    exit 1
fi
echo "check_no_test_hooks: no test hook in $program"
