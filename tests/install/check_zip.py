#!/usr/bin/env python3
"""The release zip's listing is exactly the portable folder, under one top folder named like the zip,
and its settings files hold what the build was asked for.

    check_zip.py <zip> <version> url:<start url> <file>...     (files relative, with forward slashes)
"""
import configparser
import os
import sys
import zipfile


def main():
    path, version, start_url, files = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4:]
    start_url = start_url[len("url:"):]
    top = os.path.basename(path)[: -len(".zip")] + "/"
    expected = {top + f for f in files}
    for f in files:  # the folders, as zip tools list them
        parts = f.split("/")[:-1]
        for i in range(1, len(parts) + 1):
            expected.add(top + "/".join(parts[:i]) + "/")
    with zipfile.ZipFile(path) as archive:
        names = set(archive.namelist())

        def ini(name):
            parser = configparser.ConfigParser(interpolation=None)
            parser.optionxform = str
            parser.read_string(archive.read(top + name).decode("ascii"))
            return parser

        failures = []
        if names != expected:
            failures.append("missing: %s" % sorted(expected - names))
            failures.append("unexpected: %s" % sorted(names - expected))
        else:
            checks = [
                (ini("SysConfig.ini")["Orvane"]["DirectUrl"], start_url, "SysConfig.ini DirectUrl"),
                (ini("UserConfig.ini")["UserCustom"]["SkinPath"], "Skin\\Blue\\", "UserConfig.ini SkinPath"),
                (ini("Version.dat")["Version"]["Ver"], version, "Version.dat Ver"),
            ]
            for got, want, what in checks:
                if got != want:
                    failures.append("%s is %r, expected %r" % (what, got, want))
            if archive.read(top + "Velmora.exe")[:2] != b"MZ":
                failures.append("Velmora.exe is not a Windows program")
    print("%s: %d entries" % (os.path.basename(path), len(names)))
    for name in sorted(names):
        print("  " + name)
    if failures:
        print("\n".join(failures))
        return 1
    print("the listing matches the portable folder")
    return 0


if __name__ == "__main__":
    sys.exit(main())
