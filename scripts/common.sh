# Shared by scripts/run and scripts/test: where things are, and installing missing Debian packages.
# shellcheck shell=bash

TARNWICK_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# ensure_packages KIND: installs the packages of scripts/packages.txt that are meant for every use
# or for KIND ("run" or "test") and are not installed yet.
ensure_packages() {
    local kind=$1 missing=() name use
    while read -r name use; do
        [[ -z $name || $name == \#* ]] && continue
        [[ -n $use && $use != "$kind" ]] && continue
        dpkg-query -W -f='${Status}' "$name" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$name")
    done <"$TARNWICK_ROOT/scripts/packages.txt"
    ((${#missing[@]})) || return 0
    echo "Installing Debian packages: ${missing[*]}"
    local sudo=()
    ((EUID == 0)) || sudo=(sudo)
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq &&
        "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
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
