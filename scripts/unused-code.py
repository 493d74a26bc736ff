#!/usr/bin/env python3
"""Finds code of the program that cannot matter: functions declared but defined nowhere, and functions
defined that nothing calls.

  scripts/unused-code.py [BUILD_DIR]    (default: build; the normal build must be complete)

Functions kept on purpose although nothing calls them are listed, with the reason, in unused-code.allow.

Declarations and definitions are read from the program's own sources with ctags. Calls are read from the
object files of the build: every relocation against a function, in the code or in a vtable, from the
program, its tests and its benchmarks, counts as a call; debugging information does not. Exits 1 and lists
what it found, 0 when there is nothing.
"""
import pathlib
import re
import subprocess
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
PRODUCT = ["app", "controls", "forms", "optimizer", "platform"]


def run(*command):
    return subprocess.run(command, check=True, capture_output=True, text=True, cwd=ROOT).stdout


def tags(kinds, files):
    """(qualified name, file, line, pattern) of each ctags tag of the given kinds."""
    output = run("ctags", "-o", "-", "--language-force=C++", f"--kinds-C++={kinds}", "--fields=+nKZS",
                 "--extras=-F", *files)
    for line in output.splitlines():
        name, file, rest = line.split("\t", 2)
        scope = re.search(r"\tscope:(?:class|struct|namespace|union):(\S+)", rest)
        number = re.search(r"\tline:(\d+)", rest)
        pattern = rest.split(';"', 1)[0]
        yield ((scope.group(1) + "::" if scope else "") + name, file, int(number.group(1)), pattern)


def signal_lines(header):
    """Lines of a header that lie in a "signals:" section (moc writes those functions)."""
    lines, inside = set(), False
    for number, text in enumerate((ROOT / header).read_text().splitlines(), 1):
        label = re.match(r"\s*(public|protected|private|signals|Q_SIGNALS)?\s*(slots)?\s*:\s*$", text)
        if label and label.group(0).strip() != ":":
            inside = label.group(1) in ("signals", "Q_SIGNALS")
        elif inside:
            lines.add(number)
    return lines


def declaration(file, line):
    """The text of the declaration that starts at a line, up to its semicolon."""
    lines = (ROOT / file).read_text().splitlines()[line - 1:]
    text = ""
    for part in lines:
        text += " " + part.strip()
        if ";" in part:
            break
    return text


_texts = []


def source_texts(sources):
    if not _texts:
        _texts.extend((ROOT / file).read_text() for file in sources if file.endswith(".cpp"))
    return _texts


def declared_but_undefined(sources):
    prototypes = [(name, file, line, declaration(file, line)) for name, file, line, _ in tags("p", sources)]
    # "= default" in a source file defines the function there.
    defined = {name for name, *_ in tags("f", sources)}
    defined |= {name for name, _, _, text in prototypes if re.search(r"=\s*default\s*;", text)}
    found = []
    signals = {}
    for name, file, line, text in prototypes:
        if re.search(r"=\s*(0|default|delete)\s*;", text) or re.search(r"\bfriend\b", text):
            continue
        if file.endswith(".h") and line in signals.setdefault(file, signal_lines(file)):
            continue
        # A definition ctags does not tag ("Class::~Class() = default;" in a source file) is looked for as text.
        short = "::".join(name.split("::")[-2:]) + "("
        if name not in defined and not any(short in text for text in source_texts(sources)):
            found.append(f"{file}:{line}: {name} is declared but defined nowhere")
    return found


def functions_of(objects):
    """The defined global functions of the objects as {(object, section, address): [names]}."""
    defined = {}
    for obj in objects:
        for line in run("readelf", "-sW", str(obj)).splitlines():
            fields = line.split()
            if len(fields) >= 8 and fields[3] == "FUNC" and fields[4] == "GLOBAL" and fields[6] != "UND":
                defined.setdefault((obj, fields[6], fields[1]), []).append(fields[7])
    return defined


def referenced(objects):
    names, counting = set(), False
    for obj in objects:
        for line in run("readelf", "-rW", str(obj)).splitlines():
            section = re.match(r"Relocation section '([^']+)'", line)
            if section:
                counting = not section.group(1).startswith((".rela.debug", ".rela.eh_frame"))
            elif counting:
                fields = line.split()
                if len(fields) >= 5 and re.fullmatch(r"[0-9a-f]+", fields[0]):
                    names.add(fields[4])
    return names


def demangle(names):
    output = subprocess.run(["c++filt"], input="\n".join(names), capture_output=True, text=True, check=True)
    return dict(zip(names, output.stdout.splitlines()))


def allowed():
    lines = (ROOT / "scripts" / "unused-code.allow").read_text().splitlines()
    return {line.strip() for line in lines if line.strip() and not line.startswith("#")}


def never_called(build):
    # The build's own list of its objects: a folder's objects stay behind when the folder moves.
    listed = run("ninja", "-C", str(build), "-t", "targets", "all").splitlines()
    objects = sorted(path for path in (build / line.split(":")[0] for line in listed)
                     if path.suffix == ".o" and path.exists())
    product = [o for o in objects if re.search(r"/CMakeFiles/kelvo(_\w+)?\.dir/", str(o))]
    if not product:
        sys.exit(f"unused-code: no object files of the program under {build}; build it first")
    calls = referenced(objects)
    groups = [names for names in functions_of(product).values() if not any(n in calls for n in names)]
    readable = demangle([n for names in groups for n in names])
    found, allow = [], allowed()
    for names in groups:
        name = readable[names[0]]
        if name.split("(")[0] in allow:
            continue
        # main is called by the C library; moc's functions are reached through the meta-object system.
        if names[0] == "main" or not name.startswith("kelvo::") or "qt_" in name or "metaObject" in name:
            continue
        found.append(f"{name} is defined but never called")
    return sorted(found)


def main():
    build = ROOT / (sys.argv[1] if len(sys.argv) > 1 else "build")
    sources = sorted(str(p.relative_to(ROOT)) for d in PRODUCT for p in (ROOT / d).rglob("*") if
                     p.suffix in (".h", ".cpp"))
    found = declared_but_undefined(sources) + never_called(build)
    for line in found:
        print(line)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
