#!/usr/bin/env bash
# Installs what is missing, builds, lays out the demo program directory build/demo/ and starts the desk from it.
set -euo pipefail
root="$(cd "$(dirname "$0")" && pwd)"
"$root/scripts/install_deps.sh" --desk
"$root/scripts/build.sh" --desk
"$root/scripts/make_demo.sh" "$root/build"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "Kein Bildschirm gefunden (DISPLAY ist nicht gesetzt)."
    echo "Ohne Bildschirm so starten:  xvfb-run -s '-screen 0 1280x800x24' $root/run.sh"
    exit 1
fi
cd "$root/build/demo"
exec ./klangwart
