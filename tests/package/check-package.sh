#!/usr/bin/env bash
# The Debian package as a user gets it: built from this build, passed by lintian, its desktop
# files valid, and the program and the data tool run from its unpacked contents exactly as
# they run from the build.
# usage: check-package.sh BUILD SOURCE WORK VERSION
set -euo pipefail
build=$1 source=$2 work=$3 version=$4

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

rm -rf "$work"
mkdir -p "$work"
cpack --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; fail "cpack could not build the package"; }
deb=$work/tarnoch_${version}_amd64.deb
[ -f "$deb" ] || fail "cpack wrote no $deb"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the package's version is not $version"

echo "lintian:"
lintian --fail-on error,warning --display-info "$deb" 2>&1 | grep -v "^running with root privileges" ||
    true
lintian --fail-on error,warning "$deb" >/dev/null 2>&1 || fail "lintian found errors or warnings"

root=$work/root
dpkg-deb -x "$deb" "$root"
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml
grep -q "<release version=\"$version\"" "$root"/usr/share/metainfo/*.metainfo.xml ||
    fail "the metadata does not name release $version"
desktop-file-validate "$root/usr/share/applications/tarnoch.desktop"

# Each face of the sheet links to a font that a package it depends on installs.
depends=$(dpkg-deb -f "$deb" Depends)
for link in "$root"/usr/share/tarnoch/Tarn[2-5].dat; do
    font=$(realpath -m "/usr/share/tarnoch/$(readlink "$link")")
    owner=$(dpkg-query -S "$font" | cut -d: -f1) || fail "no package installs $font"
    [[ ", $depends," == *", $owner,"* ]] || fail "$owner (for $font) is not a dependency"
done

# Unpacked, the links would find no fonts: the system's font folder stands in for the font
# packages. The user's folders are the check's own.
ln -s /usr/share/fonts "$root/usr/share/fonts"
export HOME=$work/home XDG_DATA_HOME=$work/home/data XDG_CONFIG_HOME=$work/home/config
export XDG_RUNTIME_DIR=$work/runtime
mkdir -p -m 0700 "$XDG_RUNTIME_DIR"
(cd "$root" && find . | sort) >"$work/contents-before"

[ "$("$root/usr/bin/tarnoch" --version)" = "tarnoch $version" ] || fail "--version does not say $version"

golden=$source/tests/files/golden/v1.5.tnc
name=$(sed -n 's/^Name: //p' "${golden%.tnc}.expect")
"$root/usr/bin/tarnoch" --report "$golden" >"$work/report.json"
"$build/bin/tarnoch" --report "$golden" >"$work/build-report.json"
diff -u "$work/build-report.json" "$work/report.json" ||
    fail "the installed program reports the character unlike the built one"
grep -qF "\"Name\": \"$name\"" "$work/report.json" || fail "the report does not name $name"
"$root/usr/bin/tarnoch-cli" --report "$golden" | diff -u "$work/report.json" - ||
    fail "tarnoch-cli reports the character unlike tarnoch"

"$root/usr/bin/tarnoch" --pdf "$work/sheet.pdf" "$golden" --notes
pdffonts "$work/sheet.pdf" >"$work/fonts"
for face in Rusch-Gotico-Antiqua100G KaushanScript-Regular GoudyBookletter1911; do
    grep -q "^$face " "$work/fonts" || { cat "$work/fonts"; fail "the sheet is not drawn in $face"; }
done
pdftotext "$work/sheet.pdf" - | grep -qF "$name" || fail "the PDF does not show $name"

# Installed, the window's first start writes the template into the user's folder, never
# beside the program (the commands above only read).
QT_QPA_PLATFORM=offscreen "$root/usr/bin/tarnoch" --quit-after-paint ||
    fail "the installed window did not start"
[ -f "$XDG_DATA_HOME/Tarnoch/Template.tnc" ] || fail "no template in the user's folder"
(cd "$root" && find . | sort) | diff -u "$work/contents-before" - ||
    fail "the program wrote into its installed folders"

"$root/usr/bin/tarnoch-data" check "$root/usr/share/tarnoch/examples/lamplighters.txt" ||
    fail "the data tool rejects the example pack against the installed data"

echo "report, PDF ($(pdfinfo "$work/sheet.pdf" | sed -n 's/^Pages: *//p') pages) and pack check from the unpacked package"
