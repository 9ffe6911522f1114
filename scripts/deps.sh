#!/usr/bin/env bash
# Installs, when missing, the Debian 12 packages that build and run the game; with "web", also those that lay out its
# web site (the font cut to size, the pictures recompressed); with "test", those of every test (the web site's too).
set -euo pipefail
pkgs=(g++ cmake make pkg-config libsdl1.2-compat-dev libsdl-image1.2-dev libsdl-ttf2.0-dev libsdl-gfx1.2-dev
      libsdl-mixer1.2-dev libpng-dev libvorbis-dev fonts-freefont-ttf)
if [ "${1:-}" = web ] || [ "${1:-}" = test ]; then
    pkgs+=(python3-fonttools python3-brotli optipng)
fi
if [ "${1:-}" = test ]; then
    pkgs+=(libgtest-dev libbenchmark-dev xvfb xdotool imagemagick clang clang-format libclang-rt-14-dev
           dpkg-dev file lintian desktop-file-utils appstream man-db) # the Debian package: made, checked
fi
missing=()
for p in "${pkgs[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
