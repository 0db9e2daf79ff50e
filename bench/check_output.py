#!/usr/bin/env python3
"""Checks nodara-config's JSON output against a log's expected values.

The tool must have been run with "-l LOG" on a directory holding
mol_oH1.cub, mol_oH.cub, mol_oL.cub, mol_oL1.cub and the hole/electron
pairs mol_S1_hole.cub/mol_S1_ele.cub ... mol_S10_hole.cub/mol_S10_ele.cub
(make one with --make-dir).  LOG.expected.json is written by
generate_opt_td_log.py.

  check_output.py OUTPUT.json LOG.expected.json
  check_output.py --make-dir DIR

Exits 0 when every note matches, 1 with one line per difference otherwise.
"""

import argparse
import json
import os
import sys

HARTREE_EV = 27.211386245988
ORBITAL_FILES = (("mol_oH1.cub", "h-1"), ("mol_oH.cub", "h"),
                 ("mol_oL.cub", "l"), ("mol_oL1.cub", "l+1"))
STATE_COUNT = 10


def make_dir(path):
    """Writes the empty cube files the check expects."""
    os.makedirs(path, exist_ok=True)
    names = [name for name, _ in ORBITAL_FILES]
    for k in range(1, STATE_COUNT + 1):
        names += ["mol_S%d_hole.cub" % k, "mol_S%d_ele.cub" % k]
    for name in names:
        open(os.path.join(path, name), "w").close()


def state_notes(state):
    return ("λ = %s nm\nf = %s\nTransOrbit:\n" % (state["wavelength"], state["f"])
            + "\n".join(state["transitions"]))


def orbital_notes(orbital):
    return "%d = %.4f eV" % (orbital["index"],
                             float(orbital["energy_hartree"]) * HARTREE_EV)


def expected_notes(expected):
    """Notes by (fileName1, fileName2) of the entries the log fills."""
    notes = {}
    for state in expected["states"]:
        label = state["label"]
        key = ("mol_%s_hole.cub" % label, "mol_%s_ele.cub" % label)
        notes[key] = state_notes(state)
    for name, key in ORBITAL_FILES:
        notes[(name, "")] = orbital_notes(expected["orbitals"][key])
    return notes


def compare(output, expected):
    """Returns one text per difference."""
    found = {(v["fileName1"], v["fileName2"]): v["notes"]["notes"]
             for v in output["viewers"]}
    problems = []
    for key, want in sorted(expected_notes(expected).items()):
        if key not in found:
            problems.append("no entry for %s %s" % key)
        elif found[key] != want:
            problems.append("%s: notes %r, expected %r" % (key[0], found[key], want))
    return problems


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--make-dir", metavar="DIR",
                        help="write the cube directory for the check and exit")
    parser.add_argument("output", nargs="?", help="the tool's JSON file")
    parser.add_argument("expected", nargs="?", help="LOG.expected.json")
    args = parser.parse_args()
    if args.make_dir:
        make_dir(args.make_dir)
        return 0
    if not args.output or not args.expected:
        parser.error("OUTPUT.json and LOG.expected.json are required")
    with open(args.output, encoding="utf-8") as f:
        output = json.load(f)
    with open(args.expected, encoding="utf-8") as f:
        expected = json.load(f)
    problems = compare(output, expected)
    for line in problems:
        print("check: " + line, file=sys.stderr)
    if problems:
        print("check: %s disagrees with %s in %d entries"
              % (args.output, args.expected, len(problems)), file=sys.stderr)
        return 1
    print("check: %s matches %s (%d states, 4 orbitals)"
          % (args.output, os.path.basename(args.expected), len(expected["states"])))
    return 0


if __name__ == "__main__":
    sys.exit(main())
