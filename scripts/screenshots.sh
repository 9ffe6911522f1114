#!/usr/bin/env bash
# Plays the real game under Xvfb (scripts/shots.py) and saves a screenshot of each screen a player meets in
# docs/screenshots/: intro, waiting, drawing, results, victory, defeat and state7 (after a defeat). Builds the game
# first.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset release >/dev/null
cmake --build build -j"$(nproc)" >/dev/null
mkdir -p docs/screenshots
bash tests/xvfb.sh python3 scripts/shots.py build/run docs/screenshots
ls docs/screenshots
