#!/bin/bash
# run_needs.sh SOURCE: scripts/run, copied into a scratch tree with apt, dpkg, sudo and cmake
# replaced by stand-ins that record their calls, says what it needs before it works: without a
# display it says so in one line at once; with apt's lock held it names the holder in one line and
# installs nothing; apt's own output shows only when apt fails.
set -u
source_dir=$1
command -v flock >/dev/null || {
    echo "skipped: flock is not installed"
    exit 77
}
scratch=$(mktemp -d)
holder=
# shellcheck disable=SC2317 # run on exit
cleanup() {
    [[ -n $holder ]] && kill "$holder" 2>/dev/null
    rm -rf "$scratch"
}
trap cleanup EXIT
mkdir -p "$scratch/tree/scripts" "$scratch/bin"
cp "$source_dir/scripts/run" "$source_dir/scripts/common.sh" "$scratch/tree/scripts/"
printf 'cmake\nqt6-base-dev\n' >"$scratch/tree/scripts/packages.txt"
calls=$scratch/calls
# shellcheck disable=SC2016 # the stand-ins' own variables
stand_in() {
    printf '#!/bin/sh\necho "%s $*" >>"%s"\n%s\n' "$1" "$calls" "$2" >"$scratch/bin/$1"
    chmod +x "$scratch/bin/$1"
}
# qt6-base-dev is missing; apt chatters, and fails when told to.
stand_in dpkg-query 'case "$*" in *qt6-base-dev*) exit 1 ;; esac; printf "install ok installed"'
stand_in apt-get 'echo "Get:1 http://deb.debian.org noise"; [ -z "${APT_FAILS:-}" ] || { echo "E: Unable to locate package qt6-base-dev"; exit 100; }'
stand_in sudo 'exec "$@"'
stand_in cmake 'case "$*" in --build*) mkdir -p "$2/app"; printf "#!/bin/sh\necho tarnwick 1.0.0\n" >"$2/app/tarnwick"; chmod +x "$2/app/tarnwick" ;; esac'
failed=0
fail() {
    echo "FAIL: $*"
    failed=1
}
run() {
    : >"$calls"
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM PATH="$scratch/bin:$PATH" \
        TARNWICK_APT_LOCKS="$scratch/lock" "$@" "$scratch/tree/scripts/run" "${arguments[@]}" \
        >"$scratch/out" 2>"$scratch/err"
}

arguments=(/tmp)
run
status=$?
if [[ $status != 1 || $(wc -l <"$scratch/err") != 1 ]] || ! grep -q DISPLAY "$scratch/err"; then
    fail "no display: exit $status, said: $(cat "$scratch/err")"
fi
[[ -s $calls ]] && fail "no display, yet it ran: $(cat "$calls")"

touch "$scratch/lock"
# The holder becomes sleep, keeping the lock it took.
(
    exec 9>"$scratch/lock"
    flock 9
    exec sleep 60
) &
holder=$!
sleep 0.5
arguments=(--version)
run
status=$?
if [[ $status == 0 || $(wc -l <"$scratch/err") != 1 ]] ||
    ! grep -q "process $holder (sleep 60).*scripts/run again" "$scratch/err"; then
    fail "apt locked: exit $status, said: $(cat "$scratch/err")"
fi
grep -q apt-get "$calls" && fail "apt locked, yet apt ran"
kill "$holder"
wait "$holder" 2>/dev/null
holder=

run
status=$?
[[ $status == 0 && $(cat "$scratch/out") == "tarnwick 1.0.0" ]] || fail "installing: exit $status, printed: $(cat "$scratch/out")"
grep -q "apt-get install .*qt6-base-dev" "$calls" || fail "qt6-base-dev was not installed"
grep -q noise "$scratch/out" "$scratch/err" && fail "apt's output was shown though it succeeded"

run APT_FAILS=1
status=$?
if [[ $status == 0 ]] || ! grep -q "Unable to locate package" "$scratch/err"; then
    fail "apt failed: exit $status, said: $(cat "$scratch/err")"
fi
exit $failed
