# Shared by scripts/run and scripts/test: where things are, and installing missing Debian packages.
# shellcheck shell=bash

TARNWICK_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# The locks apt and dpkg hold while they work; a test may name others.
TARNWICK_APT_LOCKS=${TARNWICK_APT_LOCKS:-/var/lib/dpkg/lock-frontend /var/lib/dpkg/lock /var/lib/apt/lists/lock /var/cache/apt/archives/lock}

# lock_user FILE: the first process that has FILE open, as far as this user may see.
lock_user() {
    local fd
    fd=$(find /proc/[0-9]*/fd -maxdepth 1 -lname "$(readlink -f "$1")" -print -quit 2>/dev/null)
    fd=${fd#/proc/}
    echo "${fd%%/*}"
}

# apt_lock_holder: prints "process PID (COMMAND)" for the process that holds one of those locks,
# read from /proc/locks without taking any lock; prints nothing when none is held.
apt_lock_holder() {
    local lock inode pid command
    for lock in $TARNWICK_APT_LOCKS; do
        inode=$(stat -c %i "$lock" 2>/dev/null) || continue
        # "1: POSIX  ADVISORY  WRITE 1234 08:01:56789 0 EOF"; waiting lockers start with "->".
        pid=$(awk -v inode="$inode" '$2 != "->" { split($6, id, ":"); if (id[3] == inode) { print $5; exit } }' /proc/locks 2>/dev/null)
        [[ -n $pid ]] || continue
        # A lock taken by a process that has gone on to another (flock, OFD locks) is held by
        # whoever keeps the file open.
        [[ -r /proc/$pid/cmdline ]] || pid=$(lock_user "$lock")
        if [[ -n $pid && -r /proc/$pid/cmdline ]]; then
            command=$(tr '\0' ' ' <"/proc/$pid/cmdline")
            echo "process $pid (${command% })"
        else
            echo "another program"
        fi
        return 0
    done
}

# ensure_packages KIND: installs the packages of scripts/packages.txt that are meant for every use
# or for KIND ("run" or "test") and are not installed yet. It says what it installs; apt's own
# output is shown only when apt fails. When another program holds apt's lock it says in one line
# which, and how to try again, instead of waiting or failing with apt's words.
ensure_packages() {
    local kind=$1 missing=() name use
    if ! command -v dpkg-query >/dev/null || ! command -v apt-get >/dev/null; then
        echo "Tarnwick's scripts install what they need with apt, which this system lacks: install the packages of scripts/packages.txt yourself." >&2
        return 1
    fi
    while read -r name use; do
        [[ -z $name || $name == \#* ]] && continue
        [[ -n $use && $use != "$kind" ]] && continue
        dpkg-query -W -f='${Status}' "$name" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$name")
    done <"$TARNWICK_ROOT/scripts/packages.txt"
    ((${#missing[@]})) || return 0
    local sudo=() holder log status=0
    if ((EUID != 0)); then
        command -v sudo >/dev/null || {
            echo "Tarnwick needs the Debian packages ${missing[*]}: install them as root, or install sudo." >&2
            return 1
        }
        sudo=(sudo)
    fi
    holder=$(apt_lock_holder)
    if [[ -n $holder ]]; then
        echo "Tarnwick needs the Debian packages ${missing[*]}, but apt is busy: $holder holds its lock. Run scripts/$(basename "$0") again once it has finished." >&2
        return 1
    fi
    echo "Installing the Debian packages Tarnwick needs: ${missing[*]}" >&2
    log=$(mktemp)
    { "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q &&
        "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"; } >"$log" 2>&1 || status=$?
    if ((status != 0)); then
        holder=$(apt_lock_holder)
        if [[ -n $holder ]]; then
            echo "Installing stopped: apt is busy: $holder holds its lock. Run scripts/$(basename "$0") again once it has finished." >&2
        else
            cat "$log" >&2
            echo "Installing the Debian packages failed (apt said the above)." >&2
        fi
    fi
    rm -f "$log"
    return "$status"
}

# configure_and_build DIR ARGS...: configures DIR once (reusing it afterwards) and builds it.
configure_and_build() {
    local dir=$1
    shift
    if [[ ! -f $dir/CMakeCache.txt ]]; then
        cmake -S "$TARNWICK_ROOT" -B "$dir" "$@" || return 1
    else
        cmake "$dir" "$@" >/dev/null || return 1
    fi
    cmake --build "$dir" -j "$(nproc)"
}

# build_quietly DIR ARGS...: configure_and_build, its output shown only when it fails; a build
# that takes a while says so once.
build_quietly() {
    local dir=$1 log notice status=0
    log=$(mktemp)
    (
        sleep 3
        echo "Building Tarnwick in ${dir#"$TARNWICK_ROOT"/}..." >&2
    ) &
    notice=$!
    configure_and_build "$@" >"$log" 2>&1 || status=$?
    kill "$notice" 2>/dev/null || true
    wait "$notice" 2>/dev/null || true
    if ((status != 0)); then
        cat "$log" >&2
        echo "Building Tarnwick failed (the build said the above)." >&2
    fi
    rm -f "$log"
    return "$status"
}

# run_fuzz_targets SECONDS: builds the libFuzzer targets of fuzz/ with clang in build/fuzz
# (reusing it) and runs each for SECONDS, starting from the seeds in fuzz/corpus. Inputs found
# stay in build/fuzz/corpus, a crashing input in build/fuzz/artifacts. Fails when a target does.
run_fuzz_targets() {
    local seconds=$1 dir="$TARNWICK_ROOT/build/fuzz" target log failed=0
    if [[ ! -f $dir/CMakeCache.txt ]]; then
        cmake -S "$TARNWICK_ROOT/fuzz" -B "$dir" -DCMAKE_CXX_COMPILER=clang++ >/dev/null || return 1
    fi
    cmake --build "$dir" -j "$(nproc)" >/dev/null || return 1
    mkdir -p "$dir/artifacts" "$dir/logs"
    for target in pathtext conversions namekey preview; do
        mkdir -p "$dir/corpus/$target"
        log="$dir/logs/$target.log"
        if "$dir/fuzz_$target" -max_total_time="$seconds" -timeout=10 \
            -artifact_prefix="$dir/artifacts/$target-" \
            "$dir/corpus/$target" "$TARNWICK_ROOT/fuzz/corpus/$target" >"$log" 2>&1; then
            echo "fuzz_$target: $(grep -o 'Done [0-9]* runs in [0-9]* second(s)' "$log")"
        else
            echo "fuzz_$target FAILED (log: $log):" >&2
            tail -n 40 "$log" >&2
            failed=1
        fi
    done
    return "$failed"
}
