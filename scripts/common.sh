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
