#!/bin/sh
# translations_current.sh LUPDATE SOURCE TS...: every text the program shows is in the translation
# files, translated, and they hold no text it no longer shows: gathering the texts anew changes
# nothing. When this fails, build the target tarnwick_update_translations and translate what it
# marks unfinished.
set -eu
lupdate=$1
source=$2
shift 2
[ -x "$lupdate" ] || {
    echo "skipped: lupdate is not installed"
    exit 77
}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
for ts in "$@"; do
    cp "$ts" "$scratch/"
done
sh "$source/app/translations/update.sh" "$lupdate" "$source" "$scratch"/*.ts
status=0
for ts in "$@"; do
    diff -u "$ts" "$scratch/$(basename "$ts")" || status=1
done
exit $status
