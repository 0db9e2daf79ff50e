#!/usr/bin/env python3
"""Reads the fixture logs back and checks them against README.md.

The reading follows the rules of the log reader: validity (a line holding
"Gaussian"), TD sections from the line "Excitation energies and oscillator
strengths:", state and contribution lines by the two regular expressions
below, the "Total Energy, E(TD-HF/TD-DFT)" line, and the last block of
"Alpha  occ. eigenvalues" / "Alpha virt. eigenvalues" lines.  The facts it
finds are rendered with the table code of make_fixture_logs.py and must all
appear in the README section of the file.  It also checks the line formats
themselves and the example cube files.

Run:  python3 tests/data/check_fixtures.py   (exit status 0 when all pass)
"""

import os
import re
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.dont_write_bytecode = True
import make_fixture_logs as gen  # noqa: E402

STATE_RE = re.compile(
    r"Excited State\s+(\d+):\s+(Singlet|Triplet|[+-]?\d+\.?\d*)-([^\s]+)\s+"
    r"([+-]?\d+\.\d+)\s+eV\s+([+-]?\d+\.\d+)\s+nm\s+f=([+-]?\d+\.\d+)\s+"
    r"<S\*\*2>=(\d+\.\d+)", re.ASCII)
CONTRIB_RE = re.compile(r"\s*(\d+[AB]?)\s*(->\s*|<-\s*)(\d+[AB]?)\s+(-?\d+\.\d+)",
                        re.ASCII)
# Loose shapes: any line that looks like one of the two kinds of lines.
LOOSE_STATE = re.compile(r"^ Excited State ")
LOOSE_CONTRIB = re.compile(r"^\s+\S+\s+(->|<-)\s+\S+")
NUMBER_RE = re.compile(r"\s*([+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?)")
MARKER = "Excitation energies and oscillator strengths:"
OCC = "Alpha  occ. eigenvalues"
VIRT = "Alpha virt. eigenvalues"
INT32_MAX = 2 ** 31 - 1

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def read_lines(path):
    with open(path, "rb") as handle:
        data = handle.read().decode("utf-8")
    lines = data.split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    return data, lines


def eigenvalues(line):
    pos = line.find("--")
    if pos < 0:
        return []
    rest, values = line[pos + 2:], []
    while True:
        m = NUMBER_RE.match(rest)
        if not m:
            return values
        values.append(float(m.group(1)))
        rest = rest[m.end():]


def read_orbitals(lines):
    occ_idx = [i for i, l in enumerate(lines) if OCC in l]
    if not occ_idx:
        return [], []
    last = occ_idx[-1]
    start = last
    while start > 0 and OCC in lines[start - 1]:
        start -= 1
    virt_idx = [i for i, l in enumerate(lines) if VIRT in l and i > last]
    if not virt_idx:
        return [], []
    occ, virt = [], []
    for i in range(start, virt_idx[0]):
        if OCC in lines[i]:
            occ += eigenvalues(lines[i])
    for i in range(virt_idx[0], len(lines)):
        if "Condensed" in lines[i]:
            break
        if VIRT in lines[i]:
            virt += eigenvalues(lines[i])
    return occ, virt


def total_energy_text(line):
    return line.split("=", 1)[1].strip()


def read_sections(lines):
    """Sections as lists of state dicts; the conversion error, if any."""
    sections, error, i = [], None, 0
    used_contrib_lines = set()
    while i < len(lines):
        line = lines[i]
        if MARKER in line:
            sections.append({"states": [], "total": None})
            i += 1
            continue
        if not sections:
            i += 1
            continue
        m = STATE_RE.search(line)
        if m:
            if int(m.group(1)) > INT32_MAX and error is None:
                error = "stoi"
            state = {"n": m.group(1), "label": "%s-%s" % (m.group(2), m.group(3)),
                     "ev": m.group(4), "nm": "%.2f" % float(m.group(5)),
                     "f": "%.4f" % float(m.group(6)),
                     "s2": "%.3f" % float(m.group(7)), "items": [], "kept": []}
            i += 1
            while i < len(lines):
                cm = CONTRIB_RE.search(lines[i])
                if not cm:
                    break
                used_contrib_lines.add(i)
                fr = re.match(r"\d+", cm.group(1)).group(0)
                to = re.match(r"\d+", cm.group(3)).group(0)
                if max(int(fr), int(to)) > INT32_MAX and error is None:
                    error = "stoi"
                arrow = "->" if "->" in cm.group(2) else "<-"
                coef = float(cm.group(4))
                item = "%d%s%d=%.5f" % (int(fr), arrow, int(to), coef)
                state["items"].append(item)
                if abs(coef) > gen.DEFAULT_THRESHOLD:
                    state["kept"].append(item)
                i += 1
            sections[-1]["states"].append(state)
            continue
        if "Total Energy, E(TD-HF/TD-DFT)" in line:
            sections[-1]["total"] = total_energy_text(line)
        i += 1
    return sections, error, used_contrib_lines


def info_from_file(path):
    data, lines = read_lines(path)
    valid = any("Gaussian" in l for l in lines)
    sections, error, used = read_sections(lines)
    occ, virt = read_orbitals(lines)
    info = {"valid": valid, "lines": len(lines), "occ": occ, "virt": virt,
            "sections": [(len(s["states"]), s["total"]) for s in sections],
            "last": sections[-1]["states"] if sections else [], "error": error}
    return data, lines, info, used


def check_line_shapes(name, lines, used):
    for i, line in enumerate(lines):
        if LOOSE_STATE.search(line):
            check(STATE_RE.search(line), "%s:%d: state line does not match: %r"
                  % (name, i + 1, line))
        if LOOSE_CONTRIB.search(line):
            check(CONTRIB_RE.search(line), "%s:%d: contribution line does not "
                  "match: %r" % (name, i + 1, line))
            check(i in used, "%s:%d: contribution line not reached by the "
                  "reader" % (name, i + 1))


def readme_section(readme, heading):
    start = readme.find("\n## %s\n" % heading)
    check(start >= 0, "README has no section %s" % heading)
    end = readme.find("\n## ", start + 1)
    return readme[start:end if end >= 0 else len(readme)]


def check_readme(heading, info, readme):
    section = readme_section(readme, heading)
    expected = gen.render_facts(info)
    if info["sections"]:
        expected += gen.render_states(info["last"])
    for row in expected:
        check(row in section.split("\n"),
              "README %s lacks or differs on: %s" % (heading, row))


def check_specifics(name, data, lines, info):
    check(len(data.encode("utf-8")) < 50 * 1024, "%s is too large" % name)
    if name == "td_crlf.log":
        check(all(l.endswith("\r") for l in lines), "td_crlf.log: a line "
              "without CR")
        check(data.endswith("\r\n"), "td_crlf.log: no final CRLF")
    else:
        check("\r" not in data, "%s holds a carriage return" % name)
    if name == "not_gaussian.txt":
        check(data.count("gaussian") == 1, "not_gaussian.txt: lower-case "
              "word count")
    if name == "td_single_point.log":
        items = [it for s in info["last"] for it in s["items"]]
        check(len(info["last"]) == 12, "td_single_point: 12 states")
        check(any(it.endswith("=0.10000") for it in items), "no 0.10000")
        check(any(it.endswith("=-0.10000") for it in items), "no -0.10000")
        check(any("<-" in it for it in items), "no de-excitation")
        check(all(1 <= len(s["items"]) <= 4 for s in info["last"]),
              "1 to 4 contributions per state")
        check(sum("Total Energy" in l for l in lines) == 1, "one Total Energy")
    if name == "opt_td.log":
        check([n for n, _ in info["sections"]] == [10, 8, 6], "opt_td: 10/8/6")
        check(sum(l.startswith(" Alpha  occ.") and "-19." in l
                  for l in lines) == 4, "opt_td: four eigenvalue blocks")
        check("D+03" in info["sections"][-1][1], "opt_td: no D exponent")
    if name == "unrestricted_td.log":
        labels = [s["label"] for s in info["last"]]
        check("2.012-A" in labels and "3.024-A" in labels, "multiplicities")
        check(any(s["s2"] == "1.234" for s in info["last"]), "<S**2>=1.234")
        check(any(l.startswith("  Beta  occ. eigenvalues") for l in lines),
              "no Beta lines")
    if name == "ground_state.log":
        check(not info["sections"], "ground_state has a TD section")
        check(any("-101.56712-101.56709" in l for l in lines), "no glued values")
    if name == "no_orbitals_td.log":
        check(not any("eigenvalues" in l for l in lines), "eigenvalue lines")
        check(info["sections"] and info["last"], "no states")
    if name == "td_out_of_range.log":
        check(info["error"] == "stoi", "no out-of-range state number")
    if name == "td_label_out_of_range.log":
        check(any("99999999999 ->" in l for l in lines), "no long label")
        check(info["error"] == "stoi", "no out-of-range orbital label")
    if name == "benzene.log":
        check(len(data.encode("utf-8")) < 40 * 1024, "benzene.log too large")
        check(len(info["occ"]) == 21 and len(info["virt"]) >= 10, "orbitals")
        check(len(info["last"]) == 12, "benzene: 12 states")


def check_cube(path, mo):
    name = os.path.basename(path)
    _, lines = read_lines(path)
    head = lines[2].split()
    natoms = int(head[0])
    check((natoms < 0) == (mo is not None), "%s: sign of natoms" % name)
    n = abs(natoms)
    check(n == 12, "%s: 12 atoms" % name)
    counts = [int(lines[3 + k].split()[0]) for k in range(3)]
    for line in lines[2:6]:
        check(re.fullmatch(r"[ \d-]{5}( *-?\d+\.\d{6}){3}", line) is not None
              and len(line) == 41, "%s: header line %r" % (name, line))
    for line in lines[6:6 + n]:
        check(re.fullmatch(r"(.{5})(.{12}){4}", line) is not None,
              "%s: atom line %r" % (name, line))
    body = 6 + n
    if mo is not None:
        check(lines[body] == "%5d%5d" % (1, mo), "%s: MO line %r"
              % (name, lines[body]))
        body += 1
    values = []
    for line in lines[body:]:
        check(len(line) % 13 == 0 and 0 < len(line) <= 78,
              "%s: value line width %r" % (name, line))
        for k in range(0, len(line), 13):
            field = line[k:k + 13]
            check(re.fullmatch(r" *-?\d\.\d{5}E[+-]\d\d", field) is not None,
                  "%s: value %r" % (name, field))
            values.append(float(field))
    check(len(values) == counts[0] * counts[1] * counts[2],
          "%s: %d values for grid %s" % (name, len(values), counts))


def main():
    with open(os.path.join(HERE, "README.md"), encoding="utf-8") as handle:
        readme = handle.read()
    names = [fx.name for fx in gen.all_fixtures()]
    files = [(name, os.path.join(HERE, name), name) for name in names]
    files.append(("benzene.log", os.path.join(gen.EXAMPLE_DIR, "benzene.log"),
                  "examples/benzene/benzene.log"))
    for name, path, heading in files:
        data, lines, info, used = info_from_file(path)
        if info["valid"]:
            check_line_shapes(name, lines, used)
        check_readme(heading, info, readme)
        check_specifics(name, data, lines, info)
        print("%-28s %5d lines, sections %s, %d+%d orbitals%s" % (
            name, info["lines"], [n for n, _ in info["sections"]],
            len(info["occ"]), len(info["virt"]),
            ", error " + info["error"] if info["error"] else ""))
    mo_numbers = {"oH1": 20, "oH": 21, "oL": 22, "oL1": 23}
    cubes = sorted(f for f in os.listdir(gen.EXAMPLE_DIR) if f.endswith(".cub"))
    check(len(cubes) == 11, "eleven example cube files")
    for cube in cubes:
        last = cube[:-4].split("_")[-1]
        check_cube(os.path.join(gen.EXAMPLE_DIR, cube), mo_numbers.get(last))
    for message in failures:
        print("FAIL:", message)
    print("%d failure(s)" % len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
