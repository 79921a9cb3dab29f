#!/usr/bin/env python3
"""Fails when a layer links or calls a layer that is not below it.

Three readings of the same rule, all against the arrows in layers.txt:
- what the build declares: each layer target's LINK_LIBRARIES, as CMake resolved them;
- what the code includes: a source file in a layer's folder includes the project's
  headers only from that folder and from the folders of the layers below it;
- what the code calls: each symbol a layer's objects leave undefined must be defined in
  the layer itself, in a layer below it, or in none of the layers (the system, the C++
  library, the JSON and command-line libraries).

  check_layers.py --nm NM --arrows layers.txt --links LINKS_FILE --source-dir DIR \
                  --target TARGET=LAYER ... --layer LAYER=FILE[;FILE...] ...
LINKS_FILE holds one line per target: "layer target: dep;dep;...". Each layer's folder
under DIR is named as the layer.
"""
import argparse
import os
import re
import subprocess
import sys

STRONG_DEFINITIONS = set("TDBRC")


def read_arrows(path):
    """layer -> set of layers it may link, from lines "layer: below below ..."."""
    arrows = {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.split("#", 1)[0].strip()
            if not line:
                continue
            layer, _, below = line.partition(":")
            arrows[layer.strip()] = set(below.split())
    for layer, below in arrows.items():
        unknown = below - arrows.keys()
        if unknown:
            sys.exit(f"{path}: {layer} names unknown layers {sorted(unknown)}")
    return arrows


def read_symbols(nm, files):
    """(defined, undefined) global symbol names of the given archives or objects."""
    out = subprocess.run([nm, "-g", "-P", "-A"] + files, check=True, capture_output=True,
                         text=True, errors="replace").stdout
    defined, undefined = set(), set()
    for line in out.splitlines():
        fields = line.split()
        if len(fields) < 3:
            continue
        name, kind = fields[1], fields[2]
        if kind == "U":
            undefined.add(name)
        elif kind in STRONG_DEFINITIONS or kind in "WVi":
            defined.add(name)
    return defined, undefined - defined


INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"/]+)/')


def check_includes(source_dir, arrows):
    faults = []
    for layer in sorted(arrows):
        folder = os.path.join(source_dir, layer)
        for root, _, names in os.walk(folder):
            for name in sorted(names):
                if not name.endswith((".cpp", ".h", ".c", ".inc")):
                    continue
                path = os.path.join(root, name)
                with open(path, encoding="utf-8", errors="replace") as f:
                    for number, line in enumerate(f, 1):
                        match = INCLUDE.match(line)
                        if not match:
                            continue
                        included = match.group(1)
                        if included in arrows and included != layer and \
                                included not in arrows[layer]:
                            where = os.path.relpath(path, source_dir)
                            faults.append(f"{where}:{number} ({layer}) includes {included}/")
    return faults


def check_declared(links_path, arrows, target_layer):
    faults = []
    with open(links_path, encoding="utf-8") as f:
        for line in f:
            if not line.strip():
                continue
            head, _, deps = line.partition(":")
            layer, target = head.split()
            for dep in filter(None, deps.strip().split(";")):
                below = target_layer.get(dep)
                if below and below != layer and below not in arrows[layer]:
                    faults.append(f"{target} ({layer}) links {dep} ({below})")
    return faults


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--nm", required=True)
    parser.add_argument("--arrows", required=True)
    parser.add_argument("--links", required=True)
    parser.add_argument("--source-dir", required=True)
    parser.add_argument("--target", action="append", default=[],
                        help="TARGET=LAYER: the layer a library target belongs to")
    parser.add_argument("--layer", action="append", default=[],
                        help="LAYER=FILE;FILE: a layer's archives or objects")
    args = parser.parse_args()

    arrows = read_arrows(args.arrows)
    target_layer = dict(t.split("=", 1) for t in args.target)
    faults = check_declared(args.links, arrows, target_layer)
    faults += check_includes(args.source_dir, arrows)

    symbols = {}
    for entry in args.layer:
        layer, _, files = entry.partition("=")
        if layer not in arrows:
            sys.exit(f"layer {layer} is not in {args.arrows}")
        symbols[layer] = read_symbols(args.nm, [f for f in files.split(";") if f])
    for layer, (_, undefined) in sorted(symbols.items()):
        allowed = arrows[layer] | {layer}
        for name in sorted(undefined):
            owners = {other for other, (defined, _) in symbols.items() if name in defined}
            if owners and not owners & allowed:
                faults.append(f"{layer} calls {name}, defined in {', '.join(sorted(owners))}")

    if faults:
        print("Arrows that layers.txt does not allow:")
        print("\n".join("  " + fault for fault in faults))
        return 1
    print(f"{len(symbols)} layers link, include and call only the layers below them")
    return 0


if __name__ == "__main__":
    sys.exit(main())
