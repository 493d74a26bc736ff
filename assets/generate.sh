#!/bin/sh
# Rebuilds the asset generator and redraws every image into assets/images/. A mock-up of the main window
# (preview.png, and preview-2x.png enlarged) is written into the build folder, not into the tree.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
build=${KELVO_ASSETS_BUILD_DIR:-$root/build-assets}

if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKELVO_BENCH=ON
fi
cmake --build "$build" --target kelvo_generate_assets
QT_QPA_PLATFORM=offscreen QT_FONT_DPI=96 "$build/bin/kelvo_generate_assets" "$here/images" "$build/preview.png"
