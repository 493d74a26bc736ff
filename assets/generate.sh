#!/usr/bin/env bash
# Redraws every image in assets/images/ with the generator program.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset default > /dev/null
cmake --build --preset default --target kelvo_generate_assets
QT_QPA_PLATFORM=offscreen build/bin/kelvo_generate_assets assets/images
