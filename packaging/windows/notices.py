#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Orvena
# SPDX-License-Identifier: LicenseRef-Kaltrix
"""The licence notices of everything the Windows packages ship, made from what was really built.

  notices.py collect SOURCE BUILD OUT --origin TEXT
      After a Qt module is built: for every DLL in BUILD, the third-party code of SOURCE that went into it,
      found by the module's own qt_attribution.json files and the sources and headers ninja compiled for
      that DLL (`ninja -t inputs`, `ninja -t deps`), less those of the DLLs it links. Adds to OUT/attributions.json and copies the licence
      texts into OUT. OUT also keeps Qt's own licence texts and TEXT, where the module's source came from.

  notices.py write OUT_FILE --attributions DIR --terms LICENSE --source-archive NAME LIBRARY...
      When the packages are made: THIRD-PARTY-NOTICES.txt for the shipped LIBRARY files (their paths as
      built), naming NAME, the archive of Qt's source offered beside the packages. A Qt library takes its
      notices from DIR; any other is credited with the copyright file of the Debian package that holds it
      (dpkg -S). A library that is neither fails the build.
"""

import argparse
import json
import os
import re
import shutil
import subprocess
import sys

QT_LICENCES = ["LGPL-3.0-only.txt", "GPL-3.0-only.txt"]  # the LGPL is read together with the GPL it adds to


def read_attributions(source):
    """Every qt_attribution.json entry of the shipped code, with the files and folders it covers."""
    entries = []
    for folder, dirs, files in os.walk(source):
        dirs[:] = sorted(d for d in dirs if d not in ("tests", "examples", "util", "debian", ".git"))
        if "qt_attribution.json" not in files:
            continue
        with open(os.path.join(folder, "qt_attribution.json"), encoding="utf-8") as f:
            data = json.loads(f.read(), strict=False)  # Qt's files keep line breaks inside strings
        for entry in data if isinstance(data, list) else [data]:
            if "Files" in entry:
                scope = [os.path.join(folder, name) for name in entry["Files"].split()]
            elif "Path" in entry:
                scope = [os.path.join(folder, entry["Path"])]
            else:
                scope = [folder]
            # A scope that names no file that exists (a misspelt name: qtsvg's says qtsvghandler.cpp) falls
            # back to the whole folder: better a notice too many than one missing.
            if not any(os.path.exists(p) for p in scope):
                scope = [folder]
            licence_files = entry.get("LicenseFiles") or [entry.get("LicenseFile", "")]
            entry["_scope"] = [os.path.realpath(p) for p in scope]
            entry["_licences"] = [os.path.realpath(os.path.join(folder, f)) for f in licence_files if f]
            entries.append(entry)
    return entries


def ninja(build, *args):
    return subprocess.run(["ninja", "-C", build, *args], check=True, capture_output=True, text=True).stdout


def compiled_files(build):
    """For every object file: the headers it was compiled with, as the deps log recorded them."""
    deps, current = {}, None
    for line in ninja(build, "-t", "deps").splitlines():
        if line and not line[0].isspace():
            current = deps.setdefault(os.path.realpath(os.path.join(build, line.split(":")[0])), [])
        elif line.strip() and current is not None:
            current.append(line.strip())
    return deps


def used_files(build, target, deps):
    files = set()
    for name in ninja(build, "-t", "inputs", target).splitlines():
        path = os.path.realpath(os.path.join(build, name))
        files.add(path)
        files.update(os.path.realpath(os.path.join(build, h)) for h in deps.get(path, []))
    return files


def covers(scope, files):
    return any(f == s or f.startswith(s + os.sep) for s in scope for f in files)


def collect(args):
    os.makedirs(args.out, exist_ok=True)
    index_path = os.path.join(args.out, "attributions.json")
    index = {"origins": [], "components": {}, "libraries": {}}
    if os.path.exists(index_path):
        with open(index_path, encoding="utf-8") as f:
            index = json.load(f)
    # A module built again replaces its own line.
    module = args.origin.split(":")[0]
    index["origins"] = [o for o in index["origins"] if o.split(":")[0] != module] + [args.origin]
    for name in QT_LICENCES:
        shutil.copy(os.path.join(args.source, "LICENSES", name), os.path.join(args.out, name))

    entries = read_attributions(os.path.realpath(args.source))
    deps = compiled_files(args.build)
    # The libraries the module's build links (not the phony aliases, nor its configure tests).
    targets = sorted(line.split(":")[0] for line in ninja(args.build, "-t", "targets", "all").splitlines()
                     if re.match(r"(bin|plugins)/\S+\.dll: ", line) and not line.endswith(": phony"))
    used = {target: used_files(args.build, target, deps) for target in targets}
    for target in targets:
        dll = os.path.basename(target)
        # ninja's inputs run through the libraries a library links: what those hold is theirs, not its.
        own = used[target].difference(*[files for other, files in used.items()
                                         if other != target and files <= used[target]])
        ids = []
        for entry in entries:
            if not covers(entry["_scope"], own):
                continue
            ids.append(entry["Id"])
            texts = []
            for licence in entry["_licences"]:
                text_name = entry["Id"] + "-" + os.path.basename(licence)
                shutil.copy(licence, os.path.join(args.out, text_name))
                texts.append(text_name)
            index["components"][entry["Id"]] = {
                key: entry.get(key, "") for key in ("Name", "Version", "Homepage", "License",
                                                    "LicenseId", "Copyright")
            } | {"texts": texts}
        index["libraries"][dll] = sorted(set(ids))
    with open(index_path, "w", encoding="utf-8") as f:
        json.dump(index, f, indent=1, sort_keys=True)


def debian_package(path):
    """The Debian package that installed this file, or None."""
    result = subprocess.run(["dpkg", "-S", path], capture_output=True, text=True)
    if result.returncode != 0:
        return None
    return result.stdout.split(":")[0].strip()


def rule(title):
    return f"\n{'=' * 78}\n{title}\n{'=' * 78}\n\n"


def write(args):
    with open(os.path.join(args.attributions, "attributions.json"), encoding="utf-8") as f:
        index = json.load(f)

    shipped, qt_components, packages = [], set(), {}
    for library in sorted(args.libraries, key=lambda p: os.path.basename(p).lower()):
        name = os.path.basename(library)
        if name in index["libraries"]:
            qt_components.update(index["libraries"][name])
            shipped.append(f"{name}: Qt 6 (LGPL-3.0-only)"
                           + "".join(f", with {index['components'][c]['Name']}"
                                     for c in index["libraries"][name]))
            continue
        package = debian_package(os.path.realpath(library))
        if package is None:
            sys.exit(f"notices.py: no licence known for {library}: not built with Qt, and no Debian package "
                     "holds it")
        packages.setdefault(package, []).append(name)
        shipped.append(f"{name}: from the Debian package {package}, whose terms follow below")

    def text(path):
        with open(path, encoding="utf-8", errors="replace") as f:
            return f.read().rstrip() + "\n"

    out = [
        "Kaltrix for Windows: the terms of what it ships\n\n",
        "kaltrix.exe is Kaltrix itself; its terms are in LICENSE.txt. Beside it lie these libraries, each "
        "under its own terms:\n\n",
        "".join(f"  {line}\n" for line in shipped),
        "\nThe Qt libraries are used under the GNU Lesser General Public License version 3. They were built "
        "unchanged from this source, by scripts/windows.sh of Kaltrix's source, which holds the complete "
        "recipe; you may replace them with your own build of the same Qt version:\n\n",
        "".join(f"  {origin}\n" for origin in index["origins"]),
        f"\nThat source, as it was built, and the recipe are offered from the same place as this package, as "
        f"{args.source_archive}.\n",
    ]
    out.append(rule("Kaltrix"))
    out.append(text(args.terms))
    for name in QT_LICENCES:
        out.append(rule(f"Qt 6: {name[:-4]}"))
        out.append(text(os.path.join(args.attributions, name)))
    for component in sorted(qt_components, key=str.lower):
        info = index["components"][component]
        out.append(rule(f"{info['Name']} {info['Version']} (in Qt; {info['LicenseId']})".replace("  ", " ")))
        if info["Homepage"]:
            out.append(f"{info['Homepage']}\n\n")
        out.append(f"{info['Copyright'].strip()}\n\n")
        for licence in info["texts"]:
            out.append(text(os.path.join(args.attributions, licence)) + "\n")
    for package, names in sorted(packages.items()):
        out.append(rule(f"{', '.join(names)}: Debian package {package}"))
        out.append(text(f"/usr/share/doc/{package}/copyright"))

    notices = re.sub(r"[ \t]+\n", "\n", "".join(out)).replace("\n", "\r\n")
    with open(args.out_file, "w", encoding="utf-8", newline="") as f:
        f.write(notices)


def main():
    parser = argparse.ArgumentParser()
    verbs = parser.add_subparsers(dest="verb", required=True)
    c = verbs.add_parser("collect")
    c.add_argument("source")
    c.add_argument("build")
    c.add_argument("out")
    c.add_argument("--origin", required=True)
    w = verbs.add_parser("write")
    w.add_argument("out_file")
    w.add_argument("--attributions", required=True)
    w.add_argument("--terms", required=True)
    w.add_argument("--source-archive", required=True)
    w.add_argument("libraries", nargs="+")
    args = parser.parse_args()
    collect(args) if args.verb == "collect" else write(args)


if __name__ == "__main__":
    main()
