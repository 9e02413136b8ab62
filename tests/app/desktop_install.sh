#!/bin/sh
# desktop_install.sh BUILD: installs the build into a scratch prefix, as a user installs it into
# ~/.local, with a home of its own. Checks that the program becomes no one's default for folders,
# that what it installs for the desktop validates, and that the per-user menus come and go with
# the command that sets them up, leaving everything else as it was.
set -eu
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
prefix=$scratch/prefix
export HOME="$scratch/home"
export XDG_DATA_HOME="$HOME/.local/share" XDG_CONFIG_HOME="$HOME/.config"
export XDG_DATA_DIRS="$prefix/share:/usr/local/share:/usr/share"
export XDG_CONFIG_DIRS="$scratch/xdg"
mkdir -p "$HOME" "$XDG_CONFIG_DIRS"
failed=0

fail() {
    echo "FAIL: $*"
    failed=1
}

# The folder opener each kind of desktop would choose.
folder_openers() {
    for desktop in "" GNOME KDE XFCE; do
        echo "${desktop:-none}: $(XDG_CURRENT_DESKTOP=$desktop xdg-mime query default inode/directory 2>/dev/null || true)"
    done
}

have() {
    command -v "$1" >/dev/null 2>&1 || {
        echo "skipped: $1 is not installed"
        return 1
    }
}

have xdg-mime && folder_openers >"$scratch/before"
cmake --install "$build" --prefix "$prefix" >/dev/null
have update-desktop-database && update-desktop-database "$prefix/share/applications"

[ "$("$prefix/bin/tarnwick" --version)" = "tarnwick $(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")" ] ||
    fail "the installed link does not start the program"
grep -rqs 'inode/directory' "$prefix/share/applications" && fail "an installed entry opens folders"
if have xdg-mime; then
    folder_openers >"$scratch/after"
    cmp -s "$scratch/before" "$scratch/after" ||
        fail "installing changed the folder opener: $(diff "$scratch/before" "$scratch/after")"
fi
if have desktop-file-validate; then
    for entry in "$prefix"/share/applications/*.desktop "$prefix"/share/kio/servicemenus/*.desktop; do
        desktop-file-validate "$entry" || fail "$entry does not validate"
    done
fi
# The metadata names the desktop entry that was installed.
if have appstreamcli; then
    appstreamcli validate-tree --no-net "$prefix" >"$scratch/tree" 2>&1 ||
        fail "the installed metadata does not validate: $(cat "$scratch/tree")"
fi
# Dolphin trusts a service menu in a user's own data folder only when it is executable.
[ -x "$prefix/share/kio/servicemenus/tarnwick-change-letter-case.desktop" ] &&
    fail "a service menu outside the user's home is executable"
cmake --install "$build" --prefix "$HOME/.local" >/dev/null
[ -x "$XDG_DATA_HOME/kio/servicemenus/tarnwick-change-letter-case.desktop" ] ||
    fail "the service menu in the user's home is not executable"

# The per-user menus, beside a Thunar action and a script of the user's own.
menus="$prefix/bin/tarnwick-file-manager-menus"
scripts="$XDG_DATA_HOME/nautilus/scripts"
uca="$XDG_CONFIG_HOME/Thunar/uca.xml"
mkdir -p "$scripts" "$XDG_CONFIG_DIRS/Thunar"
printf '#!/bin/sh\n' >"$scripts/Mine"
cat >"$XDG_CONFIG_DIRS/Thunar/uca.xml" <<'EOF'
<?xml version="1.0" encoding="UTF-8"?>
<actions>
<action>
	<name>Open Terminal Here</name>
	<unique-id>1-1</unique-id>
	<command>x-terminal-emulator</command>
</action>
</actions>
EOF
if ! LANG=C "$menus" add >/dev/null || ! LANG=de_DE.UTF-8 LANGUAGE=de "$menus" add >/dev/null; then
    fail "adding the menus failed"
fi
[ -x "$scripts/Groß- und Kleinschreibung mit Tarnwick ändern" ] || fail "no German script"
[ -e "$scripts/Change Letter Case with Tarnwick" ] && fail "the English script stayed beside it"
grep -qF "'$prefix/bin/tarnwick' -- \"\$@\"" "$scripts"/Groß* || fail "the script starts no Tarnwick"
[ "$(grep -c '<unique-id>tarnwick-change-letter-case</unique-id>' "$uca")" = 1 ] ||
    fail "not exactly one Thunar action after adding twice"
grep -q '<unique-id>1-1</unique-id>' "$uca" || fail "the system's Thunar action went missing"

"$menus" remove >/dev/null || fail "removing the menus failed"
[ "$(ls "$scripts")" = Mine ] || fail "scripts left after removing: $(ls "$scripts")"
grep -q tarnwick "$uca" && fail "the Thunar action stayed"
grep -q '<unique-id>1-1</unique-id>' "$uca" || fail "removing took the user's own action"

printf '#!/bin/sh\n' >"$scripts/Change Letter Case with Tarnwick"
LANG=C "$menus" add >/dev/null 2>&1 && fail "a script of the user's own was replaced"
[ "$(cat "$scripts/Change Letter Case with Tarnwick")" = "#!/bin/sh" ] || fail "the user's script changed"

exit $failed
