#!/usr/bin/env bash
# Packs a built tree as a Debian package: installs it to /usr in a staging folder, strips the program, adds the
# changelog, the checksums and the control file (the library dependencies computed by dpkg-shlibdeps from what
# the program links), sets every file time to SOURCE_DATE_EPOCH and builds the .deb with dpkg-deb, owned by
# root. The same tree packs to the same bytes.
# Usage: make_deb.sh <build dir> <output dir>. Prints the path of the package.
set -euo pipefail
[ $# -eq 2 ] && [ -d "$1" ] || { echo "usage: $0 <build dir> <output dir>" >&2; exit 2; }
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "$1" && pwd)"
mkdir -p "$2"
out="$(cd "$2" && pwd)"
version="$(sed -n 's/^#define KLANGWART_VERSION "\(.*\)"$/\1/p' "$build/generated/KlangwartVersion.h")"
arch="$(dpkg --print-architecture)"
# The changelog's last entry dates the package, unless the caller set a time.
export SOURCE_DATE_EPOCH="${SOURCE_DATE_EPOCH:-$(date -d "$(sed -n 's/^ -- .*>  //p' "$root/packaging/changelog" | head -n 1)" +%s)}"

stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT
DESTDIR="$stage/root" cmake --install "$build" --prefix /usr >/dev/null
pkg="$stage/root"
doc="$pkg/usr/share/doc/klangwart"
rm -f "$doc/LICENSE" # Debian keeps the GPL in /usr/share/common-licenses; the copyright file points there
gzip -9n -c "$root/packaging/changelog" >"$doc/changelog.gz"
mkdir -p "$pkg/usr/share/doc-base"
cat >"$pkg/usr/share/doc-base/klangwart" <<DOCBASE
Document: klangwart
Title: Klangwart - Bedienungsanleitung
Author: Klangwart-Team
Abstract: Die Bedienungsanleitung des Tonpults: Musik einrichten, ein Spiel
 vom Einlaufen bis zum Abpfiff, Startzeiten setzen, was bei Störungen zu tun ist.
Section: Sound

Format: HTML
Index: /usr/share/doc/klangwart/Bedienung.html
Files: /usr/share/doc/klangwart/Bedienung.html
DOCBASE
# German words in the program's texts that lintian's English word list takes for misspellings.
mkdir -p "$pkg/usr/share/lintian/overrides"
echo "klangwart: spelling-error-in-binary Programm* [usr/bin/klangwart]" >"$pkg/usr/share/lintian/overrides/klangwart"
strip --strip-unneeded --remove-section=.comment --remove-section=.note "$pkg/usr/bin/klangwart"

mkdir -p "$pkg/DEBIAN" "$stage/src/debian"
printf 'Source: klangwart\n\nPackage: klangwart\nArchitecture: any\n' >"$stage/src/debian/control"
depends="$(cd "$stage/src" && dpkg-shlibdeps -O "$pkg/usr/bin/klangwart" 2>/dev/null | sed -n 's/^shlibs:Depends=//p')"
size="$(du -sk --apparent-size "$pkg/usr" | cut -f1)"
cat >"$pkg/DEBIAN/control" <<CONTROL
Package: klangwart
Version: $version
Architecture: $arch
Maintainer: Klangwart-Team <team@klangwart.de>
Installed-Size: $size
Depends: $depends
Recommends: fonts-liberation, fonts-comic-neue, qt6-translations-l10n, xdg-utils
Section: sound
Priority: optional
Homepage: https://klangwart.de/
Description: Tonpult für die Hallensprecher-Anlage beim Handball
 Klangwart spielt am Kampfgericht die Jingles und die Musik eines
 Handballspiels: bis zu 108 Knöpfe in acht Gruppen (7 Meter, Torwart,
 Team Timeout, Auszeit, Tormusik, Einlaufen, Wischen, 2 Minuten), für drei
 Mannschaften mit eigenen Musikordnern.
 .
 Ein Druck spielt den Titel sofort von seiner gespeicherten Startzeit an.
 Stop, Pause, Weiter, Ausblenden und Ansage steuern den laufenden Titel;
 im Titeleditor wird der Startzeitpunkt jedes Titels gesucht und
 gespeichert. Die Oberfläche ist deutsch.
CONTROL
(cd "$pkg" && find usr -type f | LC_ALL=C sort | xargs md5sum) >"$pkg/DEBIAN/md5sums"
find "$pkg" -type d -exec chmod 0755 {} +
find "$pkg" -type f -exec chmod 0644 {} +
chmod 0755 "$pkg/usr/bin/klangwart"
find "$pkg" -exec touch --no-dereference --date="@$SOURCE_DATE_EPOCH" {} +
deb="$out/klangwart_${version}_${arch}.deb"
dpkg-deb --root-owner-group -Zxz --build "$pkg" "$deb" >/dev/null
echo "$deb"
