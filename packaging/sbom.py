#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Orvena
# SPDX-License-Identifier: LicenseRef-Kaltrix
"""CycloneDX 1.6 bills of materials of the packages, made from what the packages really hold.

  sbom.py deb PACKAGE --info JSON
      PACKAGE.cdx.json for a .deb: the package, its program file and the Debian packages its Depends
      field names, at the versions installed on this machine.

  sbom.py windows PACKAGE --info JSON --attributions DIR --origins FILE --qt-version V --source-archive NAME
      PACKAGE.cdx.json for the Windows zip or installer (read with 7-Zip): every .exe and .dll in it with its
      hash and the libraries it imports, the others' code built into each Qt library (DIR/attributions.json,
      as notices.py collected it), the MinGW runtime, credited to the Debian package that holds the file
      FILE names as its origin, and the installer's own parts (its uninstaller and plug-ins), credited to
      the package of makensis.

  sbom.py check SBOM... --schema DIR
      Validates each SBOM against the CycloneDX 1.6 schema in DIR (whose SHA256SUMS must hold), and checks
      it against the package beside it: the package's hash, each listed file's SHA-512, every packaged
      program or library listed, every reference resolved, every licence identifier known.

Python's standard library only, but for the check, which needs python3-jsonschema. Output is sorted and
dated by SOURCE_DATE_EPOCH, so that one package always gives the same bytes.
"""

import argparse
import datetime
import hashlib
import importlib.util
import io
import json
import os
import re
import shutil
import struct
import subprocess
import sys
import tarfile
import tempfile
import uuid
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
SCHEMA = os.path.join(HERE, "..", "third_party", "cyclonedx")
FILENAME = "bsi:component:filename"  # BSI TR-03183-2: CycloneDX has no field of its own for it
QT_SUPPLIER = {"name": "The Qt Company", "url": ["https://www.qt.io"]}
DEBIAN_SUPPLIER = {"name": "Debian", "url": ["https://www.debian.org"]}
# The terms of the runtime libraries the compiler brings, by Debian source package: their copyright files
# are not machine-readable. A library from any other package stops the build until it is added here.
RUNTIME_LICENCES = {
    "gcc-mingw-w64": "GPL-3.0-or-later WITH GCC-exception-3.1",
    "mingw-w64": "MIT AND BSD-3-Clause",  # winpthreads
    "nsis": "Zlib AND CPL-1.0",  # the installer's stub, with the LZMA decoder it unpacks with
}


def fail(message):
    sys.exit(f"sbom.py: {message}")


def load_notices():
    """notices.py, whose Qt licence and Debian look-up the SBOM shares with THIRD-PARTY-NOTICES.txt."""
    found = importlib.util.spec_from_file_location("notices", os.path.join(HERE, "windows", "notices.py"))
    module = importlib.util.module_from_spec(found)
    found.loader.exec_module(module)
    return module


def spdx_identifiers(schema=SCHEMA):
    with open(os.path.join(schema, "spdx.schema.json"), encoding="utf-8") as f:
        return set(json.load(f)["enum"])


def licence_ids(expression):
    return [t for t in re.split(r"[\s()]+", expression) if t and t not in ("AND", "OR", "WITH")]


def licence_choice(expression, name, known):
    """An SPDX expression where the text is one (its operators in capitals), else the licence by name."""
    expression = re.sub(r"(?<=\s)(and|or|with)(?=\s)", lambda m: m.group(1).upper(), expression or "")
    if expression and all(t in known or t.startswith("LicenseRef-") for t in licence_ids(expression)):
        return [{"expression": expression}]
    return [{"license": {"name": name or expression}}] if (name or expression) else None


def sha512(data):
    return [{"alg": "SHA-512", "content": hashlib.sha512(data).hexdigest()}]


def file_hash(path):
    with open(path, "rb") as f:
        return sha512(f.read())


def dpkg_field(package, fmt):
    result = subprocess.run(["dpkg-query", "-W", "-f", fmt, package], capture_output=True, text=True)
    if result.returncode != 0:
        fail(f"{package} is not installed: {result.stderr.strip()}")
    return result.stdout


def debian_component(package, ref):
    """A Debian package as installed here: version, purl and where its source lies."""
    version, arch, source, source_version, homepage = dpkg_field(
        package, "${Version}\t${Architecture}\t${source:Package}\t${source:Version}\t${Homepage}").split("\t")
    component = {
        "type": "library", "bom-ref": ref, "name": package, "version": version, "supplier": DEBIAN_SUPPLIER,
        "purl": f"pkg:deb/debian/{package}@{version.replace('+', '%2B').replace(':', '%3A')}?arch={arch}",
        "externalReferences": [{"type": "source-distribution",
                                "url": f"https://sources.debian.org/src/{source}/{source_version}/"}],
    }
    if homepage:
        component["externalReferences"].append({"type": "website", "url": homepage})
    return component, source


def program_component(info, ref, name, location, data):
    return {
        "type": "application", "bom-ref": ref, "name": info["name"], "version": info["version"],
        "description": info["description"], "supplier": info["maker"], "copyright": info["copyright"],
        "licenses": [{"expression": info["licence"]}], "hashes": sha512(data),
        "externalReferences": [{"type": "website", "url": info["product_site"]},
                               {"type": "security-contact", "url": info["security_contact"]}],
        "properties": [{"name": FILENAME, "value": name}],
        "evidence": {"occurrences": [{"location": location}]},
    }


def bom(info, package_path, components, dependencies):
    epoch = os.environ.get("SOURCE_DATE_EPOCH")
    if not epoch:
        fail("SOURCE_DATE_EPOCH is not set: the SBOM's time would differ from build to build")
    when = datetime.datetime.fromtimestamp(int(epoch), datetime.timezone.utc).strftime("%Y-%m-%dT%H:%M:%SZ")
    name = os.path.basename(package_path)
    refs = {c["bom-ref"] for c in components}
    dependencies.setdefault("package", set()).update(refs - set().union(*dependencies.values()))
    for ref in refs:
        dependencies.setdefault(ref, set())
    for component in components:
        component.get("externalReferences", []).sort(key=lambda r: (r["type"], r["url"]))
    document = {
        "bomFormat": "CycloneDX", "specVersion": "1.6", "version": 1,
        "metadata": {
            "timestamp": when,
            "lifecycles": [{"phase": "build"}],
            "manufacturer": info["maker"], "supplier": info["maker"],
            "tools": {"components": [{"type": "application", "name": "sbom.py", "version": info["version"],
                                      "supplier": info["maker"],
                                      "description": "Kaltrix's own SBOM writer (packaging/sbom.py)"}]},
            "component": {
                "type": "application", "bom-ref": "package", "name": info["name"], "version": info["version"],
                "description": info["description"], "supplier": info["maker"],
                "licenses": [{"expression": info["licence"]}], "hashes": file_hash(package_path),
                "properties": [{"name": FILENAME, "value": name}],
            },
        },
        "components": sorted(components, key=lambda c: c["bom-ref"]),
        "dependencies": [{"ref": ref, "dependsOn": sorted(on)} for ref, on in sorted(dependencies.items())],
    }
    # The serial number names this content: the same package gives the same number.
    digest = hashlib.sha256(json.dumps(document, sort_keys=True).encode()).hexdigest()
    document["serialNumber"] = uuid.uuid5(uuid.NAMESPACE_URL, f"{info['product_site']}/sbom/{digest}").urn
    with open(package_path + ".cdx.json", "w", encoding="utf-8") as f:
        f.write(json.dumps(document, indent=2, sort_keys=True, ensure_ascii=False) + "\n")


# --- Debian -------------------------------------------------------------------------------------------

def ar_members(path):
    with open(path, "rb") as f:
        data = f.read()
    if not data.startswith(b"!<arch>\n"):
        fail(f"{path} is not a Debian package")
    members, at = {}, 8
    while at < len(data):
        name, size = data[at:at + 16].decode().strip().rstrip("/"), int(data[at + 48:at + 58])
        members[name] = data[at + 60:at + 60 + size]
        at += 60 + size + size % 2
    return members


def deb_contents(path):
    """The control fields and the regular files (path without ./ -> bytes) of a .deb."""
    members = ar_members(path)

    def archive(prefix):
        name = next(n for n in members if n.startswith(prefix))
        return tarfile.open(fileobj=io.BytesIO(members[name]), mode="r:*")

    with archive("control.tar") as control:
        text = control.extractfile("./control").read().decode()
    fields = dict(re.findall(r"^(\S+): (.*)$", text, re.M))
    with archive("data.tar") as data:
        files = {m.name[2:]: data.extractfile(m).read() for m in data.getmembers() if m.isfile()}
    return fields, files


def write_deb(args):
    info = read_info(args.info)
    fields, files = deb_contents(args.package)
    components, program_refs = [], []
    for location, data in sorted(files.items()):
        if data.startswith(b"\x7fELF"):
            ref = "file:" + location
            components.append(program_component(info, ref, os.path.basename(location), location, data))
            program_refs.append(ref)
    if not program_refs:
        fail(f"{args.package} holds no program")
    needed = set()
    for alternatives in filter(None, (d.strip() for d in fields.get("Depends", "").split(","))):
        # Of alternatives, the one this machine has.
        names = [re.match(r"[^\s(]+", a.strip()).group(0) for a in alternatives.split("|")]
        installed = [n for n in names if subprocess.run(["dpkg-query", "-W", n], capture_output=True).returncode == 0]
        needed.add(installed[0] if installed else names[0])
    for package in sorted(needed):
        components.append(debian_component(package, "deb:" + package)[0])
    deps = {ref: {"deb:" + p for p in needed} for ref in program_refs}
    bom(info, args.package, components, deps)


# --- Windows ------------------------------------------------------------------------------------------

def pe_imports(data):
    """The DLL names in a PE file's import table."""
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[:2] != b"MZ" or data[pe:pe + 4] != b"PE\0\0":
        return None
    sections, optional_size = struct.unpack_from("<H", data, pe + 6)[0], struct.unpack_from("<H", data, pe + 20)[0]
    optional = pe + 24
    directories = optional + (112 if struct.unpack_from("<H", data, optional)[0] == 0x20B else 96)
    imports = struct.unpack_from("<I", data, directories + 8)[0]
    table = []
    for i in range(sections):
        size, address, raw_size, raw = struct.unpack_from("<IIII", data, optional + optional_size + 40 * i + 8)
        table.append((address, max(size, raw_size), raw))

    def offset(rva):
        return next(rva - a + r for a, s, r in table if a <= rva < a + s)

    names, at = [], offset(imports) if imports else None
    while at is not None:
        lookup, _, _, name, thunks = struct.unpack_from("<IIIII", data, at)
        if not (lookup or name or thunks):
            break
        start = offset(name)
        names.append(data[start:data.index(b"\0", start)].decode())
        at += 20
    return names


def installer_files(path):
    """What 7-Zip unpacks from an NSIS installer: the files it installs, its uninstaller and its plug-ins."""
    with tempfile.TemporaryDirectory() as out:
        subprocess.run(["7z", "x", "-y", "-bso0", "-bsp0", f"-o{out}", path], check=True)
        return folder_files(out)


def package_files(path):
    return zip_files(path) if path.endswith(".zip") else installer_files(path)


def zip_files(path):
    with zipfile.ZipFile(path) as z:
        # The zip's one top folder is not part of the file's place in the program folder.
        return {n.split("/", 1)[1]: z.read(n) for n in z.namelist() if not n.endswith("/")}


def folder_files(root):
    files = {}
    for folder, dirs, names in os.walk(root):
        dirs.sort()
        for name in names:
            path = os.path.join(folder, name)
            with open(path, "rb") as f:
                files[os.path.relpath(path, root).replace(os.sep, "/")] = f.read()
    return files


def is_binary(location):
    return location.lower().endswith((".exe", ".dll"))


def write_windows(args):
    info = read_info(args.info)
    notices = load_notices()
    with open(os.path.join(args.attributions, "attributions.json"), encoding="utf-8") as f:
        index = json.load(f)
    qt_licence = notices.QT_LICENCES[0][:-len(".txt")]
    files = package_files(args.package)
    # Where each shipped library was taken from, as the install rules wrote it down.
    with open(args.origins, encoding="utf-8") as f:
        origins = {os.path.basename(p).lower(): os.path.realpath(p) for p in f.read().split("\n") if p}
    binaries = {loc: data for loc, data in files.items() if is_binary(loc)}
    by_name = {os.path.basename(loc).lower(): "file:" + loc for loc in binaries}
    source = {"type": "source-distribution", "url": args.source_archive,
              "comment": "The source it was built from and the recipe, offered beside this file"}
    components, deps, embedded, known = [], {}, set(), spdx_identifiers()
    for location, data in sorted(binaries.items()):
        ref, name = "file:" + location, os.path.basename(location)
        imports = pe_imports(data)
        if imports is None:
            fail(f"{location} in {args.package} is not a Windows program or library")
        deps[ref] = {by_name[i.lower()] for i in imports if i.lower() in by_name}
        common = {"bom-ref": ref, "hashes": sha512(data), "properties": [{"name": FILENAME, "value": name}],
                  "evidence": {"occurrences": [{"location": location}]}}
        if name.lower() == info["name"] + ".exe":
            components.append(program_component(info, ref, name, location, data))
            continue
        if name in index["libraries"]:
            component = {"type": "library", "name": os.path.splitext(name)[0], "version": args.qt_version,
                         "supplier": QT_SUPPLIER, "licenses": [{"expression": qt_licence}],
                         "description": f"Qt {args.qt_version}, built unchanged for this package",
                         "externalReferences": [source, {"type": "website", "url": QT_SUPPLIER["url"][0]}]}
            for code in index["libraries"][name]:
                deps[ref].add("qt-code:" + code)
                embedded.add(code)
        else:
            # What the install rules did not put there, the installer's maker did.
            made_by = shutil.which("makensis") if not args.package.endswith(".zip") else None
            package = notices.debian_package(origins.get(name.lower()) or made_by or name)
            if package is None:
                fail(f"no licence known for {location}: not built with Qt, and no Debian package holds it")
            component, source_package = debian_component(package, ref)
            if source_package not in RUNTIME_LICENCES:
                fail(f"no licence known for {name} (Debian source package {source_package}): add it to "
                     "RUNTIME_LICENCES")
            component.update(name=os.path.splitext(name)[0], licenses=[{"expression": RUNTIME_LICENCES[source_package]}],
                             description=f"from the Debian package {package}")
        component.update(common)
        components.append(component)
    for code in sorted(embedded):
        entry = index["components"][code]
        component = {"type": "library", "bom-ref": "qt-code:" + code, "name": entry["Name"],
                     "description": "Built into the Qt libraries that depend on it",
                     "externalReferences": [source]}
        if entry.get("Version"):
            component["version"] = entry["Version"]
        if entry.get("Copyright", "").strip():
            component["copyright"] = entry["Copyright"].strip()
        if entry.get("Homepage"):
            component["externalReferences"].append({"type": "website", "url": entry["Homepage"]})
        licences = licence_choice(entry.get("LicenseId"), entry.get("License"), known)
        if licences:
            component["licenses"] = licences
        components.append(component)
        deps["qt-code:" + code] = set()
    bom(info, args.package, components, deps)


def read_info(path):
    with open(path, encoding="utf-8") as f:
        return json.load(f)


# --- Checking -----------------------------------------------------------------------------------------

def packaged_files(package):
    """What a package holds, as (files by location, the locations that must be listed)."""
    if package.endswith(".deb"):
        files = deb_contents(package)[1]
        return files, {loc for loc, data in files.items() if data.startswith(b"\x7fELF")}
    files = package_files(package)
    return files, {loc for loc in files if is_binary(loc)}


def check_one(path, validator, known_licences):
    errors = []
    with open(path, encoding="utf-8") as f:
        document = json.load(f)
    errors += [f"schema: {'/'.join(map(str, e.absolute_path))}: {e.message}"
               for e in validator.iter_errors(document)]
    package = path[:-len(".cdx.json")]
    top = document.get("metadata", {}).get("component", {})
    if top.get("hashes") != file_hash(package):
        errors.append(f"the hash of {os.path.basename(package)} is not the package's")
    components = document.get("components", [])
    refs = {c.get("bom-ref") for c in components} | {"package"}
    files, must_list = packaged_files(package)
    listed = set()
    for component in components:
        for occurrence in component.get("evidence", {}).get("occurrences", []):
            location = occurrence["location"]
            listed.add(location)
            if location not in files:
                errors.append(f"{location} is listed but not in the package")
            elif component.get("hashes") != sha512(files[location]):
                errors.append(f"{location}: the listed SHA-512 is not that of the packaged file")
        for licence in component.get("licenses", []):
            for token in licence_ids(licence.get("expression", "")):
                if token not in known_licences and not token.startswith("LicenseRef-"):
                    errors.append(f"{component['bom-ref']}: {token} is no SPDX licence identifier")
    errors += [f"{loc} is in the package but not listed" for loc in sorted(must_list - listed)]
    for dependency in document.get("dependencies", []):
        errors += [f"{dependency['ref']} depends on {on}, which is not listed"
                   for on in dependency.get("dependsOn", []) if on not in refs]
    unrelated = refs - {d["ref"] for d in document.get("dependencies", [])}
    errors += [f"{ref} has no entry in dependencies" for ref in sorted(unrelated)]
    return errors


def check(args):
    import jsonschema  # Debian's python3-jsonschema

    with open(os.path.join(args.schema, "SHA256SUMS"), encoding="utf-8") as f:
        for line in f:
            digest, name = line.split()
            with open(os.path.join(args.schema, name), "rb") as g:
                if hashlib.sha256(g.read()).hexdigest() != digest:
                    fail(f"{name} in {args.schema} is not the file its SHA256SUMS names")
    schemas = {}
    for name in ("bom-1.6.schema.json", "spdx.schema.json", "jsf-0.82.schema.json"):
        with open(os.path.join(args.schema, name), encoding="utf-8") as f:
            schemas[name] = json.load(f)
    bom_schema = schemas["bom-1.6.schema.json"]
    # The schema's $refs name its neighbours by address: they are answered from these files, not the network.
    store = {s["$id"]: s for s in schemas.values()}
    import warnings
    with warnings.catch_warnings():
        warnings.simplefilter("ignore", DeprecationWarning)
        resolver = jsonschema.RefResolver(bom_schema["$id"], bom_schema, store=store)
    validator = jsonschema.Draft7Validator(bom_schema, resolver=resolver,
                                           format_checker=jsonschema.draft7_format_checker)
    known = spdx_identifiers(args.schema)
    status = 0
    for path in args.sboms:
        errors = check_one(path, validator, known)
        for error in errors:
            print(f"{path}: {error}", file=sys.stderr)
        if errors:
            status = 1
        else:
            print(f"{os.path.basename(path)}: valid CycloneDX 1.6, and matches its package")
    return status


def main():
    parser = argparse.ArgumentParser()
    verbs = parser.add_subparsers(dest="verb", required=True)
    d = verbs.add_parser("deb")
    d.add_argument("package")
    d.add_argument("--info", required=True)
    w = verbs.add_parser("windows")
    w.add_argument("package")
    w.add_argument("--info", required=True)
    w.add_argument("--attributions", required=True)
    w.add_argument("--qt-version", required=True)
    w.add_argument("--source-archive", required=True)
    w.add_argument("--origins", required=True)
    c = verbs.add_parser("check")
    c.add_argument("sboms", nargs="+")
    c.add_argument("--schema", required=True)
    args = parser.parse_args()
    if args.verb == "deb":
        write_deb(args)
    elif args.verb == "windows":
        write_windows(args)
    else:
        sys.exit(check(args))


if __name__ == "__main__":
    main()
