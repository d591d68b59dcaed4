#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Orvena
# SPDX-License-Identifier: LicenseRef-Kaltrix
"""packaging/sbom.py on a small .deb made here: the SBOM it writes validates, comes out the same twice, and
the check refuses each fault planted in it or in the package."""

import json
import os
import shutil
import subprocess
import sys
import tempfile

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
SBOM = [sys.executable, os.path.join(ROOT, "packaging", "sbom.py")]
SCHEMA = os.path.join(ROOT, "third_party", "cyclonedx")
INFO = {"name": "kaltrix", "version": "1.0.0", "description": "test", "licence": "LicenseRef-Kaltrix",
        "copyright": "Copyright (C) 2026 Orvena", "maker": {"name": "Orvena", "url": ["https://www.example.com"]},
        "product_site": "https://kaltrix.example.com", "security_contact": "https://www.example.com/security"}


def make_deb(work, program):
    root = os.path.join(work, "root")
    shutil.rmtree(root, ignore_errors=True)
    os.makedirs(os.path.join(root, "DEBIAN"))
    os.makedirs(os.path.join(root, "usr", "bin"))
    shutil.copy(program, os.path.join(root, "usr", "bin", "kaltrix"))
    with open(os.path.join(root, "DEBIAN", "control"), "w") as f:
        f.write("Package: kaltrix\nVersion: 1.0.0\nArchitecture: amd64\nMaintainer: Orvena <k@example.com>\n"
                "Depends: libc6 (>= 2.34), no-such-package-kaltrix | coreutils\nDescription: test\n test\n")
    deb = os.path.join(work, "kaltrix_1.0.0_amd64.deb")
    subprocess.run(["dpkg-deb", "--root-owner-group", "-Zxz", "--build", root, deb], check=True,
                   capture_output=True)
    return deb


def run(*args):
    return subprocess.run([*SBOM, *args], capture_output=True, text=True)


def main():
    failures = []
    with tempfile.TemporaryDirectory() as work:
        os.environ["SOURCE_DATE_EPOCH"] = "1796083200"
        info = os.path.join(work, "info.json")
        with open(info, "w") as f:
            json.dump(INFO, f)
        deb = make_deb(work, "/bin/true")
        sbom = deb + ".cdx.json"
        for attempt in range(2):
            result = run("deb", deb, "--info", info)
            if result.returncode != 0:
                sys.exit(f"FAIL: sbom.py deb: {result.stderr}")
            with open(sbom, "rb") as f:
                written = f.read()
            if attempt and written != first:
                failures.append("two runs on one package gave different SBOMs")
            first = written
        document = json.loads(first)
        names = {c["name"] for c in document["components"]}
        if names != {"kaltrix", "libc6", "coreutils"}:
            failures.append(f"the components are {sorted(names)}, not the program and its installed Depends")
        result = run("check", sbom, "--schema", SCHEMA)
        if result.returncode != 0:
            failures.append(f"the check refused a good SBOM: {result.stderr}")

        def program(doc):
            return next(c for c in doc["components"] if c["bom-ref"] == "file:usr/bin/kaltrix")

        # Each fault, and what the check must say of it.
        faults = [
            ("a wrong file hash", lambda d: program(d)["hashes"][0].update(content="0" * 128),
             "listed SHA-512 is not"),
            ("the program left out", lambda d: d["components"].remove(program(d)), "not listed"),
            ("a dangling dependency", lambda d: d["dependencies"][0]["dependsOn"].append("deb:nothing"),
             "which is not listed"),
            ("a licence that is no SPDX identifier", lambda d: program(d).update(licenses=[{"expression": "GPL-2"}]),
             "no SPDX licence identifier"),
            ("a file the package lacks", lambda d: program(d)["evidence"]["occurrences"][0].update(location="usr/bin/x"),
             "listed but not in the package"),
            ("a schema violation", lambda d: program(d).update(type="widget"), "schema: components/"),
        ]
        for what, plant, expected in faults:
            doc = json.loads(first)
            plant(doc)
            with open(sbom, "w") as f:
                json.dump(doc, f)
            result = run("check", sbom, "--schema", SCHEMA)
            if result.returncode == 0 or expected not in result.stderr:
                failures.append(f"{what}: the check said {result.stderr.strip() or 'nothing'}")
        # The package itself changed after its SBOM was written.
        with open(sbom, "wb") as f:
            f.write(first)
        make_deb(work, "/bin/false")
        result = run("check", sbom, "--schema", SCHEMA)
        if "is not the package's" not in result.stderr or "listed SHA-512 is not" not in result.stderr:
            failures.append(f"a changed package: the check said {result.stderr.strip() or 'nothing'}")
    for failure in failures:
        print("FAIL:", failure)
    print("SBOM check test", "failed" if failures else "passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
