#!/bin/sh
# manual.sh MANUAL PROGRAM: the manual renders without a warning and tells every option that the
# program's --help lists.
set -eu
manual=$1
program=$2
command -v man >/dev/null 2>&1 || {
    echo "skipped: man is not installed"
    exit 77
}
warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$manual" 2>&1 >/dev/null)
[ -z "$warnings" ] || {
    echo "$warnings"
    exit 1
}
text=$(LC_ALL=C MANWIDTH=200 man -l "$manual" 2>/dev/null)
missing=0
for option in $(LANGUAGE='' LC_ALL=C "$program" --help | grep -o -- '--[a-z][a-z-]*' | sort -u); do
    printf '%s\n' "$text" | grep -q -e "$option" || {
        echo "the manual does not tell $option"
        missing=1
    }
done
exit $missing
