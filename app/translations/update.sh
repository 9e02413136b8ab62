#!/bin/sh
# update.sh LUPDATE SOURCE TS...: gathers the texts of the program's folders under SOURCE into the
# translation files, without line numbers (they would change with every edit) and without texts
# the program no longer shows.
set -eu
lupdate=$1
cd "$2"
shift 2
folders=
for folder in common platform folders transform rename cli app; do
    [ -d "$folder" ] && folders="$folders $folder"
done
# shellcheck disable=SC2086
exec "$lupdate" -silent -no-obsolete -locations none -extensions cpp,h $folders -ts "$@"
