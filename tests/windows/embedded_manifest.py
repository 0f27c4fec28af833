#!/usr/bin/env python3
"""The manifest embedded in a Windows program (its RT_MANIFEST resource, kept
as plain XML in the resource section) makes UTF-8 the code page and the
program aware of each monitor's display scaling.
    embedded_manifest.py PROGRAM.exe"""
import re
import sys
import xml.etree.ElementTree as ET

SETTINGS = {
    "activeCodePage": ("http://schemas.microsoft.com/SMI/2019/WindowsSettings", "UTF-8"),
    "dpiAware": ("http://schemas.microsoft.com/SMI/2005/WindowsSettings", "true/pm"),
    "dpiAwareness": ("http://schemas.microsoft.com/SMI/2016/WindowsSettings", "PerMonitorV2, PerMonitor"),
}


def main(program):
    data = open(program, "rb").read()
    found = re.search(rb"<\?xml[^>]*\?>\s*(?:<!--.*?-->\s*)?<assembly.*?</assembly>", data, re.S)
    if not found:
        sys.exit(f"FAIL: no manifest in {program}")
    root = ET.fromstring(found.group(0))
    failed = False
    for name, (space, wanted) in SETTINGS.items():
        values = [element.text.strip() for element in root.iter(f"{{{space}}}{name}")]
        print(f"{name}: {values}")
        if values != [wanted]:
            print(f"FAIL: {name} should be {wanted!r}", file=sys.stderr)
            failed = True
    sys.exit(1 if failed else 0)


main(sys.argv[1])
