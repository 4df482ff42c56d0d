#!/usr/bin/env bash
# Builds the Debian package build/package/klangwart_<version>_<arch>.deb. It has a build folder of its own:
# without the test frameworks, installed to /usr, the folder the program knows as its installed place (there
# it works on ~/Klangwart). The package's library dependencies are computed by dpkg-shlibdeps.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install_deps.sh"
out="$root/build/package"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$root" -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr \
      -DBUILD_TESTING=OFF "${launcher[@]}" >/dev/null
cmake --build "$out" -j"$(nproc)"
rm -f "$out"/*.deb
(cd "$out" && cpack -G DEB >/dev/null)
deb="$(ls "$out"/*.deb)"
echo "package: $deb ($(du -k "$deb" | cut -f1) KiB)"
echo "install: sudo apt install $deb"
