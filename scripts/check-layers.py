#!/usr/bin/env python3
"""Fails when a source of the program includes a header of a layer it may not use.

  scripts/check-layers.py

Each folder below is one library; a library may include its own headers and those of the layers listed
for it, never one above. The build runs this check, so an include that points up fails the build.
"""
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent

# The layers from the bottom up, each with the layers it may use.
LAYERS = {
    "platform/numeric": [],
    "platform/system": ["platform/numeric"],
    "platform/gdi": ["platform/system", "platform/numeric"],
    "platform/host": ["platform/gdi", "platform/system", "platform/numeric"],
    "settings": ["platform/system", "platform/numeric"],
    "optimizer": ["platform/system", "platform/numeric"],
    "controls": ["platform/host", "platform/gdi", "platform/system", "platform/numeric"],
    "forms": ["settings", "optimizer", "controls", "platform/host", "platform/gdi", "platform/system",
              "platform/numeric"],
    "app": ["forms", "settings", "optimizer", "controls", "platform/host", "platform/gdi", "platform/system",
            "platform/numeric"],
}


def layer_of(path):
    return next((layer for layer in LAYERS if path == layer or path.startswith(layer + "/")), None)


def main():
    found = []
    for layer, allowed in LAYERS.items():
        for source in sorted((ROOT / layer).rglob("*")):
            if source.suffix not in (".h", ".cpp"):
                continue
            for number, line in enumerate(source.read_text().splitlines(), 1):
                include = re.match(r'\s*#\s*include\s+"([^"]+)"', line)
                target = layer_of(include.group(1)) if include else None
                if target is not None and target != layer and target not in allowed:
                    found.append(f"{source.relative_to(ROOT)}:{number}: {layer} may not include "
                                 f"{include.group(1)} ({target} is not below it)")
    for line in found:
        print(line, file=sys.stderr)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
