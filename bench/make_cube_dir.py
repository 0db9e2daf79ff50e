#!/usr/bin/env python3
"""Fills a directory with empty cube files named as users name them.

Each molecule of a made-up screening set contributes its frontier orbitals
(oH, oH1.., oL, oL1..), hole/electron pairs of several excited states
(S1_hole/S1_ele ... up to S50), Fukui functions and dual descriptors
(f+, f-, DD, Of+, Of-, ODD), ELF, LOL, RDG and density grids.  nodara-config
reads names only, so the files stay empty.

Beside the directory it writes DIR.expected.json with the number of viewer
entries the tool must write: one per file, less one per hole/electron pair
(pairs are formed per state label, so there are at most 50).

  make_cube_dir.py --count 100000 --seed 1 bench/cache/cubes-100000
"""

import argparse
import json
import os
import random
import sys

STEMS = ("TPA-BTD", "Cz-TRZ", "DMAC-DPS", "PXZ-TRZ", "BODIPY", "coumarin153",
         "NileRed", "DCM", "perylene", "porphyrin", "fluorescein", "rhodamineB",
         "BPEA", "TADF", "azobenzene", "stilbene", "anthracene", "pyrene")
METHODS = ("b3lyp", "cam-b3lyp", "pbe0", "wb97xd", "m062x")
GRIDS = ("elf", "lol", "rdg", "density", "esd", "totden", "esp", "spindens")
FUKUI = ("f+", "f-", "DD", "Of+", "Of-", "ODD")


def molecule_files(rng, prefix):
    """Cube file names of one molecule."""
    names = ["%s_oH.cub" % prefix, "%s_oL.cub" % prefix]
    for k in range(1, rng.randint(2, 10) + 1):
        names += ["%s_oH%d.cub" % (prefix, k), "%s_oL%d.cub" % (prefix, k)]
    for k in range(1, rng.randint(5, 50) + 1):
        names += ["%s_S%d_hole.cub" % (prefix, k), "%s_S%d_ele.cub" % (prefix, k)]
    if rng.random() < 0.7:
        names += ["%s_%s.cub" % (prefix, f) for f in FUKUI]
    names += ["%s_%s.cub" % (prefix, g) for g in GRIDS if rng.random() < 0.6]
    return names


def cube_names(count, seed):
    rng = random.Random(seed)
    names = []
    serial = 0
    while len(names) < count:
        serial += 1
        stem = rng.choice(STEMS)
        if rng.random() < 0.5:
            prefix = "%s_%s_c%03d" % (stem, rng.choice(METHODS), serial)
        else:
            prefix = "%s-%04d" % (stem, serial)
        names += molecule_files(rng, prefix)
    return names[:count]


def pair_count(names):
    """Number of state labels that have both a hole and an electron file."""
    sides = {}
    for name in names:
        parts = [p for p in name[:-4].split("_") if p]
        if len(parts) < 2 or parts[-1] not in ("hole", "ole", "ele"):
            continue
        label = next((p for p in parts[:-1]
                      if len(p) >= 2 and p[0] == "S" and p[1].isdigit()), None)
        if label:
            sides.setdefault(label, set()).add(parts[-1] == "ele")
    return sum(1 for s in sides.values() if len(s) == 2)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--count", type=int, required=True)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("directory")
    args = parser.parse_args()

    names = cube_names(args.count, args.seed)
    os.makedirs(args.directory, exist_ok=True)
    for name in names:
        os.close(os.open(os.path.join(args.directory, name),
                         os.O_WRONLY | os.O_CREAT | os.O_TRUNC, 0o644))
    pairs = pair_count(names)
    expected = {"files": len(names), "pairs": pairs,
                "entries": len(names) - pairs, "seed": args.seed}
    with open(args.directory.rstrip("/") + ".expected.json", "w") as f:
        json.dump(expected, f, indent=1)
        f.write("\n")
    print("%s: %d cube files, %d pairs" % (args.directory, len(names), pairs))


if __name__ == "__main__":
    sys.exit(main())
