#!/usr/bin/env bash
# Builds the Debian package from the install rules (build/quillfray_<version>_amd64.deb) and checks what it
# ships as a distribution would: lintian without errors or warnings, the desktop entry, the AppStream metainfo,
# the man page rendered without a warning; then plays it unpacked (tests/package.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
build=build
cmake --preset release >/dev/null
cmake --build "$build" -j"$(nproc)" >/dev/null
rm -f "$build"/quillfray_*.deb
out=$(cd "$build" && cpack -G DEB 2>&1) || { echo "$out"; exit 1; }
deb=$(echo "$build"/quillfray_*_amd64.deb)
echo "package: $deb"

# lintian warns on stderr that it runs as root, which CI does.
lintian --fail-on error,warning --info "$deb" 2> >(grep -v 'root privileges' >&2)
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root"/usr/share/applications/quillfray.desktop
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml
warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$root"/usr/share/man/man6/quillfray.6.gz \
    2>&1 >/dev/null)
[ -z "$warnings" ] || { echo "man page: $warnings"; exit 1; }
bash tests/xvfb.sh bash tests/package.sh "$deb"
echo "package checks passed"
