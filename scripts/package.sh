#!/usr/bin/env bash
# Builds the Debian package build/package/klangwart_<version>_<arch>.deb in a build folder of its own: without
# the test frameworks, installed to /usr, with Debian's hardening flags (dpkg-buildflags) and the source folder
# mapped away from the debug paths, so that two builds give the same bytes. lintian looks at it when present.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install_deps.sh"
out="$root/build/package"
map="-ffile-prefix-map=$root=."
export DEB_BUILD_MAINT_OPTIONS=hardening=+all # bindnow and the rest, not only Debian's defaults
cmake -S "$root" -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr \
      -DBUILD_TESTING=OFF \
      -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS) $map" \
      -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build "$out" -j"$(nproc)"
rm -f "$out"/*.deb
deb="$("$root/scripts/make_deb.sh" "$out" "$out")"
echo "package: $deb ($(du -k "$deb" | cut -f1) KiB)"
if command -v lintian >/dev/null; then
    lintian --pedantic --display-experimental --display-level '>=pedantic' --info "$deb" || true
fi
echo "install: sudo apt install $deb"
