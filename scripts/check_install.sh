#!/usr/bin/env bash
# Installs a built tree into a temporary prefix and checks what a machine would get: every file in its place,
# the icons in the sizes their folders name, a valid desktop entry and AppStream metadata, a manual page that
# renders without warnings, and an installed program that answers --version without a display.
# Usage: check_install.sh <build dir>. ctest runs it as the test InstallTree.
set -euo pipefail
if [ $# -ne 1 ] || [ ! -d "$1" ]; then echo "usage: $0 <build dir>" >&2; exit 2; fi
build="$(cd "$1" && pwd)"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
failures=0
fail() { echo "check_install: $*" >&2; failures=$((failures + 1)); }

cmake --install "$build" --prefix "$prefix" >/dev/null

id=de.klangwart.Klangwart
expected=(bin/klangwart "share/applications/$id.desktop" "share/metainfo/$id.metainfo.xml"
          "share/icons/hicolor/scalable/apps/$id.svg" share/man/man1/klangwart.1.gz
          share/doc/klangwart/LICENSE share/doc/klangwart/copyright share/doc/klangwart/Bedienung.md)
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
man_warnings="$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$prefix/share/man/man1/klangwart.1.gz" 2>&1 >/dev/null)"
[ -z "$man_warnings" ] || fail "manual page: $man_warnings"

version="$(sed -n 's/^#define KLANGWART_VERSION "\(.*\)"$/\1/p' "$build/generated/KlangwartVersion.h")"
answer="$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/klangwart" --version | head -n 1)" ||
    fail "installed program failed on --version"
[ "$answer" = "Klangwart $version" ] || fail "installed program answers '$answer' to --version, not 'Klangwart $version'"

if [ "$failures" -ne 0 ]; then
    echo "check_install: $failures problem(s) in the install tree" >&2
    exit 1
fi
echo "check_install: install tree complete (${#expected[@]} files), desktop entry, AppStream data, manual page and --version fine"
