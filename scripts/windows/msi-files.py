#!/usr/bin/env python3
"""Writes the WiX fragment that lists a folder's files for the MSI, as the component group
QuizFiles under INSTALLDIR: one component per file, its GUID derived from the file's path so
that every build gives a file the same one (Windows Installer tracks files by it across
upgrades). Sources are given relative to the folder's parent, as wixl wants them.
    msi-files.py <folder> > files.wxs
"""
import os
import sys
import uuid
from xml.sax.saxutils import quoteattr

NAMESPACE = uuid.UUID("0d6f54a4-3c52-4ad7-9b38-4a7c1f6e2b11")


def ident(prefix, relative):
    return prefix + uuid.uuid5(NAMESPACE, prefix + relative).hex.upper()


def main():
    if len(sys.argv) != 2 or not os.path.isdir(sys.argv[1]):
        sys.exit("usage: msi-files.py <folder>")
    root = sys.argv[1].rstrip("/")
    base = os.path.basename(root)
    out = ['<?xml version="1.0" encoding="utf-8"?>',
           '<Wix xmlns="http://schemas.microsoft.com/wix/2006/wi">', "  <Fragment>"]
    components = []

    def walk(folder, relative, depth):
        pad = "  " * depth
        for name in sorted(os.listdir(folder)):
            path = os.path.join(folder, name)
            rel = f"{relative}/{name}" if relative else name
            if os.path.isdir(path):
                out.append(f'{pad}<Directory Id="{ident("dir", rel)}" Name={quoteattr(name)}>')
                walk(path, rel, depth + 1)
                out.append(f"{pad}</Directory>")
            else:
                component = ident("cmp", rel)
                components.append(component)
                guid = uuid.uuid5(NAMESPACE, rel)
                out.append(f'{pad}<Component Id="{component}" Guid="{guid}" Win64="yes">')
                out.append(f'{pad}  <File Id="{ident("fil", rel)}" KeyPath="yes" '
                           f'Source={quoteattr(base + "/" + rel)}/>')
                out.append(f"{pad}</Component>")

    out.append('    <DirectoryRef Id="INSTALLDIR">')
    walk(root, "", 3)
    out.append("    </DirectoryRef>")
    out.append('    <ComponentGroup Id="QuizFiles">')
    out += [f'      <ComponentRef Id="{c}"/>' for c in components]
    out += ["    </ComponentGroup>", "  </Fragment>", "</Wix>"]
    print("\n".join(out))


main()
