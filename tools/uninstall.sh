#!/bin/sh
# Removes what `make install` put in place, exactly as its manifest lists it:
# every file first, then each folder the install made (the entries ending in
# "/", deepest first), if it is empty by then. A player's own folders,
# ~/.config/trigonix and ~/.local/share/trigonix, are theirs and stay.
#
#     uninstall.sh MANIFEST [DESTDIR]
set -eu

if [ $# -lt 1 ] || [ $# -gt 2 ]; then
    echo "usage: uninstall.sh MANIFEST [DESTDIR]" >&2
    exit 2
fi
manifest=$1
destdir=${2:-}
if [ ! -f "$manifest" ]; then
    echo "uninstall: $manifest not found: nothing was installed from this build" >&2
    exit 1
fi

# Only absolute paths without a way out of them: a damaged manifest must
# not send a removal anywhere else.
safe() {
    case "$1" in
    /*) ;;
    *) return 1 ;;
    esac
    case "$1/" in
    */../*|*/./*) return 1 ;;
    esac
    return 0
}

status=0
# The manifest's last line has no newline of its own.
while IFS= read -r entry || [ -n "$entry" ]; do
    case "$entry" in
    ""|*/) continue ;;
    esac
    if ! safe "$entry"; then
        echo "uninstall: skipping '$entry': not a plain absolute path" >&2
        status=1
        continue
    fi
    path=$destdir$entry
    if [ -L "$path" ] || [ -f "$path" ]; then
        rm -f "$path"
        echo "-- Removed: $path"
    elif [ -e "$path" ]; then
        echo "uninstall: $path is no longer a file; left alone" >&2
        status=1
    fi
done <"$manifest"

while IFS= read -r entry || [ -n "$entry" ]; do
    case "$entry" in
    */) ;;
    *) continue ;;
    esac
    folder=${entry%/}
    safe "$folder" || continue
    path=$destdir$folder
    if [ -d "$path" ] && [ ! -L "$path" ] && rmdir "$path" 2>/dev/null; then
        echo "-- Removed folder: $path"
    fi
done <"$manifest"

exit $status
