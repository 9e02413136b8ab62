#!/bin/sh
# debian_package.sh BUILD VERSION: packs the build with cpack -G DEB into a scratch folder and
# checks the package without installing it: its dependencies come from dpkg-shlibdeps, it holds
# what the program ships and nothing outside /usr, the program runs from where it is unpacked,
# and lintian (where installed) finds no error.
set -eu
build=$1
version=$2
for tool in cpack dpkg-deb dpkg-shlibdeps; do
    command -v $tool >/dev/null 2>&1 || {
        echo "skipped: $tool is not installed"
        exit 77
    }
done
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failed=0
fail() {
    echo "FAIL: $*"
    failed=1
}

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch" >"$scratch/cpack.log" 2>&1 || {
    cat "$scratch/cpack.log"
    exit 1
}
deb=$(ls "$scratch"/tarnwick_*.deb)
[ "$(basename "$deb")" = "tarnwick_${version}-1_$(dpkg --print-architecture).deb" ] ||
    fail "named $(basename "$deb")"
[ "$(dpkg-deb -f "$deb" Version)" = "$version-1" ] || fail "version $(dpkg-deb -f "$deb" Version)"
case $(dpkg-deb -f "$deb" Depends) in
*libqt6widgets6*libstdc++6*) ;;
*) fail "dependencies not read from the program: $(dpkg-deb -f "$deb" Depends)" ;;
esac

dpkg-deb --contents "$deb" | awk '{ print $6 }' >"$scratch/contents"
grep -v '^\./usr/' "$scratch/contents" | grep -vx '\./' && fail "files outside /usr"
for path in usr/bin/tarnwick usr/bin/tarnwick-file-manager-menus usr/lib/tarnwick/tarnwick \
    usr/lib/tarnwick/HAND-M.CUR usr/lib/tarnwick/x/o.cjs usr/lib/tarnwick/Samples/ \
    usr/share/applications/example.tarnwick.Tarnwick.desktop \
    usr/share/metainfo/example.tarnwick.Tarnwick.metainfo.xml \
    usr/share/kio/servicemenus/tarnwick-change-letter-case.desktop \
    usr/share/icons/hicolor/256x256/apps/tarnwick.png usr/share/man/man1/tarnwick.1.gz \
    usr/share/doc/tarnwick/copyright usr/share/doc/tarnwick/changelog.Debian.gz; do
    grep -qx "\./$path" "$scratch/contents" || fail "no $path"
done

dpkg-deb -x "$deb" "$scratch/root"
[ "$("$scratch/root/usr/bin/tarnwick" --version)" = "tarnwick $version" ] ||
    fail "the unpacked program does not start"
zcat "$scratch/root/usr/share/doc/tarnwick/changelog.Debian.gz" | head -1 | grep -q "($version-1)" ||
    fail "the changelog is not of this version"

if command -v lintian >/dev/null 2>&1; then
    lintian --fail-on error "$deb" || fail "lintian finds errors"
else
    echo "lintian not installed: package not linted"
fi
exit $failed
