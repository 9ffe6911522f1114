#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it from its run folder.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake --preset release
cmake --build build -j"$(nproc)"
cd build/run
exec ./quillfray
