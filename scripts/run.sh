#!/usr/bin/env bash
# Sets up everything, builds Kelvo and starts it from its program folder (build/).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh run
cmake --preset default > /dev/null
cmake --build --preset default --target kelvo

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Kelvo needs a graphical desktop: no display is set (DISPLAY or WAYLAND_DISPLAY)." >&2
    exit 1
fi
exec build/kelvo
