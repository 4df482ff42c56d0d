#!/usr/bin/env bash
# Installs a built tree into a temporary prefix and checks what a machine would get: every file in its place,
# the icons in the sizes their folders name, a valid desktop entry and AppStream metadata, manual pages that
# render without warnings, an installed program that answers --version without a display and, started with a
# home of its own, lays out ~/Klangwart (it knows it is installed, whatever the prefix). With lintian on the
# machine, the tree packed as a Debian package has no error and no warning.
# Usage: check_install.sh <build dir>. ctest runs it as the test InstallTree.
set -euo pipefail
if [ $# -ne 1 ] || [ ! -d "$1" ]; then echo "usage: $0 <build dir>" >&2; exit 2; fi
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "$1" && pwd)"
work="$(mktemp -d)"
desk=""
trap '[ -z "$desk" ] || kill "$desk" 2>/dev/null; rm -rf "$work"' EXIT
prefix="$work/prefix"
failures=0
fail() { echo "check_install: $*" >&2; failures=$((failures + 1)); }

cmake --install "$build" --prefix "$prefix" >/dev/null

id=de.klangwart.Klangwart
expected=(bin/klangwart share/klangwart/installiert "share/applications/$id.desktop"
          "share/metainfo/$id.metainfo.xml" "share/icons/hicolor/scalable/apps/$id.svg"
          share/man/man1/klangwart.1.gz share/man/de/man1/klangwart.1.gz
          share/doc/klangwart/LICENSE share/doc/klangwart/copyright share/doc/klangwart/Bedienung.html)
sizes=(16 24 32 48 64 128 256)
for size in "${sizes[@]}"; do
    expected+=("share/icons/hicolor/${size}x${size}/apps/$id.png")
done
for file in "${expected[@]}"; do
    [ -f "$prefix/$file" ] || fail "missing $file"
done
unexpected="$(cd "$prefix" && find . -type f | sed 's|^\./||' | LC_ALL=C sort | comm -23 - <(printf '%s\n' "${expected[@]}" | LC_ALL=C sort))"
[ -z "$unexpected" ] || fail "installed but not expected: $unexpected"

for size in "${sizes[@]}"; do
    png="$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png"
    [ -f "$png" ] && ! file -b "$png" | grep -q "PNG image data, $size x $size," && fail "$png is not ${size}x${size}"
done
[ -x "$prefix/bin/klangwart" ] || fail "bin/klangwart is not executable"

# Anything desktop-file-validate says is a fault, also what it calls "will be fatal in the future".
desktop_problems="$(desktop-file-validate "$prefix/share/applications/$id.desktop" 2>&1)" || true
[ -z "$desktop_problems" ] || fail "desktop entry: $desktop_problems"
appstreamcli validate --no-net --no-color "$prefix/share/metainfo/$id.metainfo.xml" >/dev/null ||
    fail "AppStream metadata not valid: $(appstreamcli validate --no-net --no-color "$prefix/share/metainfo/$id.metainfo.xml")"
for page in share/man/man1/klangwart.1.gz share/man/de/man1/klangwart.1.gz; do
    man_warnings="$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$prefix/$page" 2>&1 >/dev/null)"
    [ -z "$man_warnings" ] || fail "manual page $page: $man_warnings"
done

version="$(sed -n 's/^#define KLANGWART_VERSION "\(.*\)"$/\1/p' "$build/generated/KlangwartVersion.h")"
answer="$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/klangwart" --version | head -n 1)" ||
    fail "installed program failed on --version"
[ "$answer" = "Klangwart $version" ] || fail "installed program answers '$answer' to --version, not 'Klangwart $version'"

# The installed desk on its first start: ~/Klangwart laid out, then ended as a signal ends it.
mkdir -m 0700 "$work/home"
HOME="$work/home" XDG_RUNTIME_DIR="$work/home" QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy \
    "$prefix/bin/klangwart" >"$work/desk.log" 2>&1 &
desk=$!
for _ in $(seq 200); do [ -d "$work/home/Klangwart/Jugend/2 Minuten" ] && break; sleep 0.05; done
kill "$desk" 2>/dev/null && wait "$desk" 2>/dev/null || true
desk=""
[ -f "$work/home/Klangwart/Klangwart.ini" ] && [ -d "$work/home/Klangwart/Jugend/2 Minuten" ] ||
    fail "the installed desk did not lay out ~/Klangwart: $(cat "$work/desk.log")"

if command -v lintian >/dev/null && command -v dpkg-deb >/dev/null; then
    deb="$("$root/scripts/make_deb.sh" "$build" "$work/deb")"
    tags="$(lintian --fail-on none "$deb" 2>/dev/null | grep -E '^[EW]:' || true)"
    [ -z "$tags" ] || fail "lintian: $tags"
fi

if [ "$failures" -ne 0 ]; then
    echo "check_install: $failures problem(s) in the install tree" >&2
    exit 1
fi
echo "check_install: install tree complete (${#expected[@]} files), desktop entry, AppStream data, manual pages," \
    "--version, first start and lintian fine"
