#!/bin/sh
# Every C and C++ file of the tree is laid out as .clang-format says. Other
# clang-format versions lay some lines out differently, so the check runs
# only with the one the tree is kept in, and is reported skipped otherwise.
#   check_format.sh SOURCE_DIR [CLANG_FORMAT]
set -u
top=$1
tool=${2:-clang-format}
kept_in=14
skipped=77

version=$("$tool" --version 2>/dev/null | sed -n 's/.*clang-format version \([0-9]*\).*/\1/p')
if [ "$version" != "$kept_in" ]; then
    echo "check_format: the tree is kept in clang-format $kept_in; '$tool' is ${version:-missing}: skipped"
    exit $skipped
fi

cd "$top" || exit 1
files=$(find app bench frontend game persist platform race render tests tools \
    \( -name '*.cpp' -o -name '*.h' -o -name '*.c' \) -type f | sort)
[ -n "$files" ] || { echo "check_format: no sources found under $top"; exit 1; }
# shellcheck disable=SC2086
if ! "$tool" --style=file --dry-run --Werror $files; then
    echo "check_format: the files above are not laid out as .clang-format says;"
    echo "check_format: run  clang-format -i FILE...  on them"
    exit 1
fi
echo "check_format: $(printf '%s\n' "$files" | wc -l) files as .clang-format lays them out"
