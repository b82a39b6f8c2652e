#!/bin/sh
# Installs the build for the prefix /usr under a DESTDIR, checks the layout the
# desktop and the package rely on, runs the installed programs through their
# links in bin (as root and as nobody, when run as root): they find their data
# in share/isomint-stencil, keep settings in the user's ~/.config/isomint and
# write nothing into their program folder, and isomint without a display says
# so in one line. Validates the menu entry, the metainfo and the manual pages,
# then uninstalls and requires that nothing is left.
# Usage: install-layout.sh <build folder> <source folder> <fixture>
set -eu
build="$1" source="$2" fixture="$3"
dest="$(mktemp -d)"
work="$(mktemp -d)"
trap 'rm -rf "$dest" "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

DESTDIR="$dest" cmake --install "$build" --prefix /usr >"$work/install.log" ||
    { cat "$work/install.log" >&2; exit 1; }
root="$dest/usr"
program="$root/lib/isomint-stencil"
data="$root/share/isomint-stencil"

for file in isomint isomint-cli; do
    [ -x "$program/$file" ] && [ ! -L "$program/$file" ] || fail "$program/$file is no executable"
done
for file in license.txt mod.ver stencil_hlp.html stencil_hlp_de.html stencil_hlp.css translations/isomint_de.qm \
    share/applications/isomint-stencil.desktop share/metainfo/org.example.isomint.Stencil.metainfo.xml \
    share/icons/hicolor/scalable/apps/isomint-stencil.svg share/doc/isomint-stencil/copyright \
    share/doc/isomint-stencil/changelog.gz share/man/man1/isomint.1.gz share/man/man1/isomint-cli.1.gz; do
    case "$file" in share/*) path="$root/$file" ;; *) path="$data/$file" ;; esac
    [ -f "$path" ] && [ ! -L "$path" ] || fail "$path is missing"
done
# Relative links, so that the tree works wherever DESTDIR or a package puts it.
while read -r link target; do
    [ "$(readlink "$root/$link")" = "$target" ] ||
        fail "$link leads to '$(readlink "$root/$link")', not '$target'"
done <<LINKS
bin/isomint ../lib/isomint-stencil/isomint
bin/isomint-cli ../lib/isomint-stencil/isomint-cli
lib/isomint-stencil/mkisofs ../../bin/genisoimage
LINKS
for size in 16 22 24 32 48 64 128 256; do
    icon="$root/share/icons/hicolor/${size}x$size/apps/isomint-stencil.png"
    # The PNG header holds width and height as 32-bit big-endian numbers.
    dimensions="$(od -An -tu1 -j16 -N8 "$icon" 2>/dev/null | awk '{print $3*256+$4 "x" $7*256+$8}')"
    [ "$dimensions" = "${size}x$size" ] || fail "$icon is '$dimensions'"
done

entry="$root/share/applications/isomint-stencil.desktop"
grep -qx 'Exec=/usr/bin/isomint %f' "$entry" || fail "the menu entry does not start /usr/bin/isomint"
grep -qx 'StartupWMClass=isomint' "$entry" || fail "the menu entry names another window class"
desktop-file-validate "$entry" || fail "desktop-file-validate rejects the menu entry"
appstreamcli validate --no-net "$root/share/metainfo/org.example.isomint.Stencil.metainfo.xml" >"$work/as.log" ||
    { cat "$work/as.log" >&2; fail "appstreamcli rejects the metainfo"; }
for page in isomint isomint-cli; do
    warnings="$(gzip -dc "$root/share/man/man1/$page.1.gz" | LC_ALL=C.UTF-8 groff -man -Tutf8 -ww -z 2>&1)"
    [ -z "$warnings" ] || fail "groff warns on $page(1): $warnings"
    MANWIDTH=80 man -l "$root/share/man/man1/$page.1.gz" 2>/dev/null | grep -q "^NAME" ||
        fail "man cannot show $page(1)"
done

# Through the link in bin the program must still find mkisofs beside its real
# executable; in the staging tree genisoimage stands where /usr/bin would hold it.
ln -s "$(command -v genisoimage)" "$root/bin/genisoimage"
cp -R "$fixture" "$work/source"
"$root/bin/isomint-cli" build "$work/source" "$work/fixture.iso" --no --progress=lines \
    >"$work/build.log" 2>&1 || { cat "$work/build.log" >&2; fail "the installed isomint-cli cannot build"; }
rm "$root/bin/genisoimage"

# The installed copy as root and as an ordinary user: the settings file is the
# user's (isomint-cli --help names it), the catalogues are found (German help),
# and a start without a display ends with one line and status 1.
chmod 755 "$dest" "$work"
check_user() { # <label> <command prefix...>
    label="$1"
    shift
    home="$(mktemp -d "$work/home.XXXXXX")"
    chmod 777 "$home"
    run() { env -u XDG_CONFIG_HOME -u LANGUAGE -u LC_MESSAGES HOME="$home" "$@"; }
    run LC_ALL=C "$@" "$root/bin/isomint-cli" --help >"$work/help" 2>&1 ||
        fail "$label: isomint-cli --help fails: $(cat "$work/help")"
    grep -qxF "$home/.config/isomint/stencil.ini," "$work/help" ||
        fail "$label: the settings file is not $home/.config/isomint/stencil.ini: $(cat "$work/help")"
    for command in isomint isomint-cli; do
        run LC_ALL= LANG=de_DE.UTF-8 "$@" "$root/bin/$command" --help >"$work/help" 2>&1 || true
        grep -q '^Aufruf:' "$work/help" || fail "$label: $command --help is not German: $(head -1 "$work/help")"
    done
    status=0
    run LC_ALL=C "$@" env -u DISPLAY -u WAYLAND_DISPLAY -u WAYLAND_SOCKET -u XDG_RUNTIME_DIR \
        -u QT_QPA_PLATFORM "$root/bin/isomint" >"$work/out" 2>"$work/err" || status=$?
    [ "$status" -eq 1 ] || fail "$label: isomint without a display ends with status $status"
    [ ! -s "$work/out" ] && [ "$(wc -l <"$work/err")" -eq 1 ] &&
        grep -qx 'isomint: No display could be opened\. isomint-cli works without one\.' "$work/err" ||
        fail "$label: isomint without a display says: $(cat "$work/out" "$work/err")"
}
check_user root
if [ "$(id -u)" -eq 0 ] && command -v setpriv >/dev/null; then
    check_user nobody setpriv --reuid=65534 --regid=65534 --clear-groups
fi
# Only what the install put there, whoever ran the programs.
entries="$(ls -A "$program" | tr '\n' ' ')"
[ "$entries" = "isomint isomint-cli mkisofs " ] || fail "the program folder holds: $entries"

DESTDIR="$dest" cmake -DMANIFEST="$build/install_manifest.txt" -P "$source/cmake/Uninstall.cmake" >/dev/null
left="$(find "$dest" ! -type d)"
[ -z "$left" ] || fail "uninstall left: $left"
[ ! -e "$program" ] && [ ! -e "$data" ] || fail "uninstall left $program or $data"

[ "$failures" -eq 0 ] && echo "install layout: all checks passed"
exit "$failures"
