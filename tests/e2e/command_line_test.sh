#!/bin/sh
# The command line and the manual: --help and --version answer with no
# display at all (--verify-replay too: replay_test.sh runs it), anything
# else gets the usage line on stderr and status 2, and the built manual
# page renders without a single warning.
#
#     command_line_test.sh GAME DATA_DIR CLOSE_WINDOW
set -eu

GAME=$1
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/e2e_lib.sh"

BUILD=$(cd "$(dirname "$GAME")" && pwd)
VERSION=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$BUILD/CMakeCache.txt")
[ -n "$VERSION" ] || fail "no project version in $BUILD/CMakeCache.txt"
OUT=$(mktemp -d /tmp/trigonix-cli-XXXXXX)
trap 'rm -rf "$OUT"' EXIT

# Runs the game with no display to open: an answer must come before the
# display check. Sets STATUS; what it printed is in $OUT/out and $OUT/err.
run_game() {
    STATUS=0
    env -u DISPLAY -u WAYLAND_DISPLAY "$GAME" "$@" >"$OUT/out" 2>"$OUT/err" </dev/null || STATUS=$?
}

run_game --version
[ "$STATUS" -eq 0 ] || fail "--version ended with status $STATUS: $(cat "$OUT/err")"
[ "$(cat "$OUT/out")" = "trigonix $VERSION" ] || fail "--version printed '$(cat "$OUT/out")'"
[ ! -s "$OUT/err" ] || fail "--version wrote to stderr: $(cat "$OUT/err")"

run_game --help
[ "$STATUS" -eq 0 ] || fail "--help ended with status $STATUS: $(cat "$OUT/err")"
grep -q -- "--version" "$OUT/out" || fail "--help does not name --version"
[ ! -s "$OUT/err" ] || fail "--help wrote to stderr: $(cat "$OUT/err")"

for args in "--fullscreen" "-v" "extra" "--version --help" "--help now" "--verify-replay" \
    "--verify-replay a.tgr b.tgr"; do
    # shellcheck disable=SC2086  # each case is split into its words
    run_game $args
    [ "$STATUS" -eq 2 ] || fail "'$args' ended with status $STATUS"
    [ ! -s "$OUT/out" ] || fail "'$args' wrote to stdout: $(cat "$OUT/out")"
    [ "$(wc -l <"$OUT/err")" -eq 1 ] && grep -q '^usage: trigonix ' "$OUT/err" ||
        fail "'$args' did not print the one usage line: $(cat "$OUT/err")"
done

# As lintian reads a manual: every groff or man warning is a fault.
PAGE=$BUILD/trigonix.6
[ -f "$PAGE" ] || fail "no manual page at $PAGE"
if command -v man >/dev/null 2>&1; then
    LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 \
        man --warnings -E UTF-8 -l -Tutf8 -Z "$PAGE" >"$OUT/page" 2>"$OUT/warnings" ||
        fail "man could not render $PAGE: $(cat "$OUT/warnings")"
    [ ! -s "$OUT/warnings" ] || fail "man warned about $PAGE: $(cat "$OUT/warnings")"
    LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$PAGE" >"$OUT/text" 2>/dev/null
    for section in SYNOPSIS OPTIONS CONTROLS FILES ENVIRONMENT; do
        grep -q "^$section" "$OUT/text" || fail "the manual has no $section section"
    done
    grep -q "trigonix $VERSION\|Trigonix $VERSION" "$OUT/text" || fail "the manual is not of version $VERSION"
else
    echo "man is not installed: the manual page was not checked"
fi
echo "command line: all passed"
