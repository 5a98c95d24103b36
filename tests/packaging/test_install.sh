#!/bin/sh
# Installs Ampora into a temporary DESTDIR and checks it as a desktop would see
# it: the files, their validators, the installed program's --help and
# --version, and the file type of design files.
# usage: test_install.sh CMAKE BUILD_DIR SOURCE_DIR VERSION
set -eu
cmake=$1 build=$2 source=$3 version=$4
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
need() { command -v "$1" >/dev/null || fail "$1 is missing (Debian package $2; tools/test.sh installs it)"; }

DESTDIR=$tmp/root "$cmake" --install "$build" --prefix /usr >/dev/null
root=$tmp/root/usr
id=example.zarn_power.Ampora
type=application/x-ampora-design
sizes="16 22 24 32 48 64 128 256"

# Exactly these files, nothing else (no tests, no libraries).
{
    echo bin/ampora
    echo share/applications/$id.desktop
    echo share/metainfo/$id.metainfo.xml
    echo share/mime/packages/ampora.xml
    echo share/man/man1/ampora.1
    for s in $sizes; do echo share/icons/hicolor/${s}x$s/apps/ampora.png; done
} | sort >"$tmp/expected"
(cd "$tmp/root" && find . -type f | sed 's|^\./usr/||' | sort) >"$tmp/installed"
diff "$tmp/expected" "$tmp/installed" >&2 || fail "installed files differ from the expected list"

# Each icon is a PNG of its folder's size (width and height from the header).
for s in $sizes; do
    png=$root/share/icons/hicolor/${s}x$s/apps/ampora.png
    [ "$(od -An -tx1 -N8 "$png" | tr -d ' \n')" = 89504e470d0a1a0a ] || fail "$png is not a PNG"
    wh=$(od -An -tu1 -j16 -N8 "$png" | awk '{print $3*256+$4, $7*256+$8}')
    [ "$wh" = "$s $s" ] || fail "$png is $wh, not $s $s"
done

need desktop-file-validate desktop-file-utils
need appstreamcli appstream
desktop=$root/share/applications/$id.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$root/share/metainfo/$id.metainfo.xml" || fail "appstreamcli validate"

# The desktop entry starts the installed program, names the installed icon
# and the design file type that the MIME definition defines.
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
[ -x "$root/bin/${exec_line%% *}" ] || fail "Exec=$exec_line does not name the installed program"
[ "$(sed -n 's/^Icon=//p' "$desktop")" = ampora ] || fail "Icon is not the installed icon"
grep -q "^MimeType=.*$type;" "$desktop" || fail "desktop entry lacks MimeType $type"
grep -q "<mime-type type=\"$type\">" "$root/share/mime/packages/ampora.xml" || fail "MIME definition lacks $type"
grep -q "<mediatype>$type</mediatype>" "$root/share/metainfo/$id.metainfo.xml" || fail "metainfo lacks $type"

# --help and --version of the installed program, without a display.
ampora() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/bin/ampora" "$@"; }
[ "$(ampora --version)" = "Ampora $version" ] || fail "--version says '$(ampora --version)'"
ampora --help >"$tmp/help" || fail "--help exits with $?"
head -n 1 "$tmp/help" | grep -q '^Usage: ampora' || fail "--help prints no usage line"
ampora --report --help >"$tmp/help2" || fail "--report --help exits with $?"
cmp -s "$tmp/help" "$tmp/help2" || fail "--report --help does not print the usage summary"
# Every option of the README's command-line table is in --help, and every
# option of --help is in the man page.
readme_options=$(sed -n '/^## Command line/,/^## Report format/p' "$source/README.md" | grep -o -- '--[a-z]*' | sort -u)
[ -n "$readme_options" ] || fail "no options found in the README"
for o in $readme_options; do grep -q -- "$o" "$tmp/help" || fail "--help does not describe $o"; done
sed 's/\\-/-/g' "$root/share/man/man1/ampora.1" >"$tmp/man"
for o in $(grep -o -- '--[a-z]*' "$tmp/help" | sort -u); do
    grep -q -- "$o" "$tmp/man" || fail "the man page does not describe $o"
done
grep -q "Ampora $version" "$tmp/man" || fail "the man page does not carry version $version"

# Design files are recognised by their first line (magic, a file without the
# extension) and by the extension (a .zam file whatever it holds).
set -- "$source"/tests/files/golden/*.zam
header=$(head -n 1 "$1")
head -n 5 "$1" >"$tmp/design"
printf 'not a design\n' >"$tmp/other.zam"
if command -v update-mime-database >/dev/null; then
    mkdir -p "$tmp/data/mime/packages"
    cp "$root/share/mime/packages/ampora.xml" "$tmp/data/mime/packages/"
    XDG_DATA_HOME=$tmp/data update-mime-database "$tmp/data/mime" 2>"$tmp/umd" || fail "update-mime-database"
    [ ! -s "$tmp/umd" ] || { cat "$tmp/umd" >&2; fail "update-mime-database warns"; }
    grep -q ":$type:\*\.zam\$" "$tmp/data/mime/globs2" || fail "no *.zam glob in the compiled database"
    grep -q ":$type\]" "$tmp/data/mime/magic" && grep -aq "$header" "$tmp/data/mime/magic" ||
        fail "no header magic in the compiled database"
    query() { XDG_DATA_HOME=$tmp/data xdg-mime query filetype "$1" 2>/dev/null || true; }
    # xdg-mime is used only where it reads the temporary database at all.
    if command -v xdg-mime >/dev/null && [ "$(query "$tmp/other.zam")" = $type ]; then
        [ "$(query "$tmp/design")" = $type ] || fail "xdg-mime does not see a design by its header"
        echo "xdg-mime recognises design files by extension and header"
    fi
else
    xml=$root/share/mime/packages/ampora.xml
    grep -q '<glob pattern="\*\.zam"/>' "$xml" || fail "no *.zam glob"
    grep -q "<match type=\"string\" offset=\"0\" value=\"$header\"/>" "$xml" || fail "no header magic"
fi
echo "install checks passed"
