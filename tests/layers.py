#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Orvena
# SPDX-License-Identifier: LicenseRef-Kaltrix
"""Fails when a source file includes a header of a layer above its own.

Usage: layers.py [--self-test] SRC_DIR
With --self-test it first checks a copy of SRC_DIR with an upward include planted, and fails unless that
copy is refused.
"""
import pathlib
import re
import shutil
import sys
import tempfile

# Each layer and the layers it may include, its own among them.
ALLOWED = {
    "ui": {"ui"},
    "web": {"web", "ui"},
    "settings": {"settings", "web", "ui"},
    "test": {"test", "web", "ui"},
    "app": {"app", "test", "settings", "web", "ui"},
}
INCLUDE = re.compile(r'^\s*#\s*include\s*[<"]([^">]+)[">]', re.MULTILINE)


def violations(src):
    src = src.resolve()
    found = []
    for path in sorted(src.rglob("*")):
        if path.suffix not in {".cpp", ".h", ".in"} or not path.is_file():
            continue
        layer = path.relative_to(src).parts[0]
        if layer not in ALLOWED:
            continue
        for match in INCLUDE.finditer(path.read_text(encoding="utf-8")):
            name = match.group(1)
            # "layer/file.h", or a path relative to the including file that climbs into another layer.
            target = (path.parent / name).resolve() if name.startswith(".") else src / name
            try:
                included = target.relative_to(src).parts
            except ValueError:
                continue
            if len(included) > 1 and included[0] in ALLOWED and included[0] not in ALLOWED[layer]:
                line = path.read_text(encoding="utf-8")[: match.start()].count("\n") + 1
                found.append(f"{path.relative_to(src)}:{line}: {layer}/ includes {name}, a layer it may not use")
    return found


def main(argv):
    self_test = "--self-test" in argv
    args = [a for a in argv if a != "--self-test"]
    if len(args) != 1:
        print(__doc__, file=sys.stderr)
        return 2
    src = pathlib.Path(args[0])
    if self_test:
        with tempfile.TemporaryDirectory() as scratch:
            for planted in ('#include "app/forms.h"\n', '#include "../settings/scramble.h"\n'):
                copy = pathlib.Path(scratch) / "src"
                shutil.rmtree(copy, ignore_errors=True)
                shutil.copytree(src, copy)
                victim = copy / "web" / "links.cpp"
                victim.write_text(planted + victim.read_text(encoding="utf-8"), encoding="utf-8")
                if not violations(copy):
                    print(f"FAIL: an upward include went unnoticed: {planted.strip()} in web/links.cpp")
                    return 1
    found = violations(src)
    for line in found:
        print(line)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
