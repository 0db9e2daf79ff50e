#!/usr/bin/env python3
"""Writes the Gaussian log fixtures of tests/data and the example directory.

Every log here is synthetic: molecules, energies, states and orbital
contributions are made up to look like Gaussian 16 output, with the line
formats the log reader relies on (eigenvalue lines, "Excited State" lines,
contribution lines, "Total Energy, E(TD-HF/TD-DFT)" lines).

Run from anywhere:  python3 tests/data/make_fixture_logs.py
The output is deterministic; the generated files are committed, so rerun
this script and commit its output after changing it.  tests/data/README.md
is written from the same data, and check_fixtures.py reads the written
files back and compares them with the README.

Outputs:
  tests/data/*.log, tests/data/not_gaussian.txt, tests/data/README.md
  examples/benzene/*.cub, examples/benzene/benzene.log
"""

import math
import os

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
EXAMPLE_DIR = os.path.join(ROOT, "examples", "benzene")

HARTREE_EV = 27.211386245988
HC_EV_NM = 1239.84193
ANGSTROM_BOHR = 1.0 / 0.52917721092
DEFAULT_THRESHOLD = 0.1

SYMBOLS = {1: "H", 6: "C", 7: "N", 8: "O", 17: "Cl"}


# ---------------------------------------------------------------------------
# Records of the synthetic data


class Contribution:
    """One orbital contribution line under an excited state."""

    def __init__(self, fr, arrow, to, coef, spin=""):
        self.fr = fr  # int, or a digit string for an over-long label
        self.arrow = arrow  # "->" or "<-"
        self.to = to
        self.coef = coef
        self.spin = spin  # "", "A" or "B" (same spin on both sides)

    def log_line(self):
        left = "%8s%s" % (self.fr, self.spin)
        right = ("%s%s" % (self.to, self.spin)).ljust(3)
        return "%s %s %s%15.5f" % (left, self.arrow, right, self.coef)

    def item(self):
        """The contribution as the import writes it: 20->22=0.49521."""
        return "%s%s%s=%.5f" % (self.fr, self.arrow, self.to, self.coef)


class State:
    """One excited state: its line values and its contributions."""

    def __init__(self, n, mult, sym, ev, f, contribs, s2=0.0):
        self.n = n
        self.mult = mult  # "Singlet", "Triplet" or a number text "2.012"
        self.sym = sym
        self.ev = ev
        self.f = f
        self.s2 = s2
        self.contribs = contribs

    @property
    def nm_text(self):
        return "%.2f" % (HC_EV_NM / round(self.ev, 4))

    def log_line(self):
        label = ("%s-%s" % (self.mult, self.sym)).ljust(13)
        return (" Excited State %3s:      %s%8.4f eV %7s nm  f=%.4f"
                "  <S**2>=%.3f" % (self.n, label, self.ev, self.nm_text,
                                   self.f, self.s2))


def unrestricted_mult(s2):
    """Gaussian's multiplicity number for an <S**2> value."""
    return "%.3f" % math.sqrt(1.0 + 4.0 * s2)


def c(fr, to, coef, arrow="->", spin=""):
    return Contribution(fr, arrow, to, coef, spin)


def d(fr, to, coef, spin=""):
    return Contribution(fr, "<-", to, coef, spin)


# ---------------------------------------------------------------------------
# Text blocks of a Gaussian 16 log


def fmt_lines(lines):
    return "\n".join(lines) + "\n"


def header(job, route_lines, title, charge, mult, atoms_ang, links):
    """Banner, Link 0 commands, route, title and input geometry."""
    out = [
        " Entering Gaussian System, Link 0=g16",
        " Input=%s.gjf" % job,
        " Output=%s.log" % job,
        " Initial command:",
        ' /apps/g16/l1.exe "/scratch/nodara/Gau-%d.inp" -scrdir="/scratch/nodara/"'
        % (20000 + len(job) * 131),
        " Entering Link 1 = /apps/g16/l1.exe PID=     %d." % (20000 + len(job) * 131),
        "  ",
        " Copyright (c) 1988-2019, Gaussian, Inc.  All Rights Reserved.",
        "  ",
        " This is part of the Gaussian(R) 16 program.",
        "  ",
        " Cite this work as:",
        " Gaussian 16, Revision C.01,",
        " M. J. Frisch, G. W. Trucks, H. B. Schlegel, et al.,",
        " Gaussian, Inc., Wallingford CT, 2016.",
        " ",
        " ******************************************",
        " Gaussian 16:  ES64L-G16RevC.01  3-Jul-2019",
        "                11-Dec-2024 ",
        " ******************************************",
        " %%chk=%s.chk" % job,
        " %mem=8GB",
        " %nprocshared=8",
        " Will use up to    8 processors via shared memory.",
    ]
    width = max(len(r) for r in route_lines) + 1
    out.append(" " + "-" * width)
    out += route_lines
    out.append(" " + "-" * width)
    out += links
    out += [" Leave Link    1 at Wed Dec 11 09:12:03 2024, MaxMem=  1073741824 cpu:"
            "               0.2 elap:               0.1"]
    out += [" (Enter /apps/g16/l101.exe)"]
    out += [" " + "-" * (len(title) + 1), " " + title, " " + "-" * (len(title) + 1)]
    out += [" Symbolic Z-matrix:",
            " Charge =  %d Multiplicity = %d" % (charge, mult)]
    for z, x, y, zz in atoms_ang:
        out.append(" %-21s%10.5f%14.5f%14.5f " % (SYMBOLS[z], x, y, zz))
    out.append(" ")
    return out


def orientation(atoms_ang, kind="Standard"):
    out = ["                         %s orientation:                         " % kind,
           " ---------------------------------------------------------------------",
           " Center     Atomic      Atomic             Coordinates (Angstroms)",
           " Number     Number       Type             X           Y           Z",
           " ---------------------------------------------------------------------"]
    for i, (z, x, y, zz) in enumerate(atoms_ang, 1):
        out.append(" %6d %10d %11d %15.6f %11.6f %11.6f" % (i, z, 0, x, y, zz))
    out.append(" ---------------------------------------------------------------------")
    return out


def scf_block(method, energy, cycles, nbasis, nae, nbe):
    return [
        " (Enter /apps/g16/l301.exe)",
        " Standard basis: 6-31G(d) (6D, 7F)",
        " %6d basis functions, %6d primitive gaussians, %6d cartesian basis functions"
        % (nbasis, nbasis * 2 - 4, nbasis),
        " %8d alpha electrons %8d beta electrons" % (nae, nbe),
        " (Enter /apps/g16/l502.exe)",
        " Integral accuracy reduced to 1.0D-05 until final iterations.",
        " Initial convergence to 1.0D-05 achieved.  Increase integral accuracy.",
        " SCF Done:  E(%s) =  %.9f     A.U. after %4d cycles" % (method, energy, cycles),
        "            NFock=%3d  Conv=0.42D-08     -V/T= 2.0089" % cycles,
        " Leave Link  502 at Wed Dec 11 09:12:41 2024, MaxMem=  1073741824 cpu:"
        "             301.7 elap:              38.0",
    ]


def dipole_tables(states):
    """The transition-moment tables printed just before the state list."""
    elec, vel, mag = [], [], []
    for i, s in enumerate(states):
        e_h = s.ev / HARTREE_EV
        dip_s = 1.5 * s.f / e_h
        amp = math.sqrt(dip_s)
        axis = [0.0, 0.0, 0.0]
        axis[i % 3 if s.f < 0.05 else i % 2] = amp if i % 4 < 2 else -amp
        axis = [a + 0.0 for a in axis]
        elec.append("%10d %14.4f %11.4f %11.4f %11.4f %11.4f"
                    % (i + 1, axis[0], axis[1], axis[2], dip_s, s.f))
        p = [0.93 * e_h * a + 0.0 for a in axis]
        p_s = sum(v * v for v in p)
        vel.append("%10d %14.4f %11.4f %11.4f %11.4f %11.4f"
                   % (i + 1, p[0], p[1], p[2], p_s, 2.0 * p_s / (3.0 * e_h)))
        m = 0.0 if s.f > 0.0 else 0.0213 * (1 + i % 3)
        mag.append("%10d %14.4f %11.4f %11.4f" % (i + 1, 0.0, 0.0,
                                                 (m if i % 2 else -m) + 0.0))
    head = "       state          X           Y           Z        Dip. S.      Osc."
    return ([" Ground to excited state transition electric dipole moments (Au):", head]
            + elec
            + [" Ground to excited state transition velocity dipole moments (Au):", head]
            + vel
            + [" Ground to excited state transition magnetic dipole moments (Au):",
               "       state          X           Y           Z"]
            + mag)


def td_section(states, ground, total_text=None, unrestricted=False, nbasis=100,
               nocc=21):
    """Link 914 output: Davidson note, moment tables, the state list."""
    singles = "<AB:AB>" if unrestricted else "<AA,BB:AA,BB>"
    out = [
        " (Enter /apps/g16/l914.exe)",
        " MDV=   1073741824 DFT=T DoStab=F Mixed=T DoRPA=T DoScal=F NonHer=F",
        " Range of M.O.s used for correlation:     1 %5d" % nbasis,
        " NBasis=%6d NAE=%6d NBE=%6d NFC=     0 NFV=     0"
        % (nbasis, nocc, nocc - (1 if unrestricted else 0)),
        " NROrb=%6d NOA=%6d NOB=%6d NVA=%6d NVB=%6d"
        % (nbasis, nocc, nocc - (1 if unrestricted else 0), nbasis - nocc,
           nbasis - nocc + (1 if unrestricted else 0)),
        " Davidson Disk Diagonalization:  ConvIn= 1.00D-04 SkipCon=T Conv= 1.00D-05.",
        " Convergence achieved on expansion vectors.",
        " ***********************************************************************",
        " Excited states from %s singles matrix:" % singles,
        " ***********************************************************************",
        " ",
        " 1PDM for each excited state written to RWF  633",
        " Ground to excited state transition densities written to RWF  633",
    ]
    out += dipole_tables(states)
    out += [" ", " Excitation energies and oscillator strengths:", " "]
    for i, s in enumerate(states):
        out.append(s.log_line())
        out += [t.log_line() for t in s.contribs]
        if i == 0:
            if total_text is None:
                total_text = "%.9f" % (ground + s.ev / HARTREE_EV)
            out += [" This state for optimization and/or second-order correction.",
                    " Total Energy, E(TD-HF/TD-DFT) =  %s" % total_text,
                    " Copying the excited state density for this state as the"
                    " 1-particle RhoCI density."]
        out.append(" ")
    out += [" SavETr:  write IOETrn=   770 NScale= 10 NData=  16 NLR=1 NState=%5d"
            " LETran=     %d." % (len(states), 19 * len(states) + 2),
            " Leave Link  914 at Wed Dec 11 09:14:55 2024, MaxMem=  1073741824 cpu:"
            "            1012.4 elap:             127.3"]
    return out, total_text


def eig_lines(head, values):
    return [head + "".join("%10.5f" % v for v in values[i:i + 5])
            for i in range(0, len(values), 5)]


def population(atoms, occ, virt, state_label, beta_occ=None, beta_virt=None,
               charges=None):
    """Link 601 output: orbital energies, condensed matrix, Mulliken charges."""
    out = [" (Enter /apps/g16/l601.exe)",
           " Copying SCF densities to generalized density rwf, IOpCl= %d IROHF=0."
           % (1 if beta_occ else 0),
           " ",
           " **********************************************************************",
           " ",
           "            Population analysis using the SCF Density.",
           " ",
           " **********************************************************************",
           " ",
           " The electronic state is %s." % state_label]
    out += eig_lines(" Alpha  occ. eigenvalues -- ", occ)
    out += eig_lines(" Alpha virt. eigenvalues -- ", virt)
    if beta_occ:
        out += eig_lines("  Beta  occ. eigenvalues -- ", beta_occ)
        out += eig_lines("  Beta virt. eigenvalues -- ", beta_virt)
    out += condensed(atoms, charges)
    return out


def condensed(atoms, charges):
    """Mulliken atom-atom matrix and charges, plausible but synthetic."""
    n = len(atoms)
    mat = [[0.0] * n for _ in range(n)]
    for i in range(n):
        for j in range(n):
            if i == j:
                continue
            r = math.dist(atoms[i][1:], atoms[j][1:])
            if r < 1.2:
                v = 0.3712
            elif r < 1.6:
                v = 0.5123 * math.exp(-(r - 1.39))
            elif r < 2.6:
                v = -0.0412 * math.exp(-(r - 2.2))
            else:
                v = -0.0035 * math.exp(-(r - 2.8))
            mat[i][j] = round(v, 6)
    for i in range(n):
        mat[i][i] = round(atoms[i][0] - charges[i] - sum(mat[i]), 6)
    out = ["          Condensed to atoms (all electrons):"]
    for start in range(0, n, 6):
        cols = range(start, min(start + 6, n))
        out.append("         " + "".join("%11d" % (k + 1) for k in cols))
        for i in range(n):
            out.append("  %4d  %-2s" % (i + 1, SYMBOLS[atoms[i][0]])
                       + "".join("%11.6f" % mat[i][k] for k in cols))
    out.append(" Mulliken charges:")
    out.append("               1")
    for i in range(n):
        out.append("  %4d  %-2s%11.6f" % (i + 1, SYMBOLS[atoms[i][0]],
                                          atoms[i][0] - sum(mat[i])))
    total = sum(atoms[i][0] - sum(mat[i]) for i in range(n))
    out.append(" Sum of Mulliken charges = %9.5f" % (total + 0.0))
    out.append(" Electronic spatial extent (au):  <R**2>=    %9.4f"
               % (sum(sum(v * v for v in a[1:]) for a in atoms) * 12.3 + 150.0))
    return out


def archive(parts):
    text = "\\".join(parts) + "\\\\@"
    return [" " + text[i:i + 70] for i in range(0, len(text), 70)]


def footer(cpu_minutes, archive_parts, extra=None):
    out = [" (Enter /apps/g16/l9999.exe)", " "]
    out += archive(archive_parts)
    out += [" ",
            " THE GENERATION OF RANDOM NUMBERS IS TOO IMPORTANT TO BE LEFT TO CHANCE.",
            " Job cpu time:       0 days  0 hours %2d minutes 12.4 seconds." % cpu_minutes,
            " Elapsed time:       0 days  0 hours %2d minutes %4.1f seconds."
            % divmod(cpu_minutes * 7.9 + 3.1, 60.0),
            " File lengths (MBytes):  RWF=     61 Int=      0 D2E=      0 Chk=      5"
            " Scr=      1"]
    if extra:
        out += extra
    out.append(" Normal termination of Gaussian 16 at Wed Dec 11 09:%02d:48 2024."
               % (14 + cpu_minutes % 40))
    return out


def fortran_d(value):
    """A number the way Fortran's D format writes it: -0.232012345D+03."""
    exponent = int(math.floor(math.log10(abs(value)))) + 1
    mantissa = abs(value) / 10.0 ** exponent
    return "%s0.%09dD%+03d" % ("-" if value < 0 else "", round(mantissa * 1e9),
                               exponent)


def virt_series(explicit, total, top):
    """Virtual energies: the given low ones, then a smooth climb to top."""
    vals = list(explicit)
    last = vals[-1]
    rest = total - len(vals)
    for k in range(1, rest + 1):
        t = k / rest
        v = last + (top - last) * (t ** 1.6)
        # Keep pairs of near-equal values, as degenerate sets give.
        if k % 5 == 2:
            v = vals[-1]
        vals.append(round(v, 5))
    return vals


def link_lines(td=True, opt=False, unrestricted=False):
    out = [" 1/18=20,19=15,38=1/1,3;" if opt else " 1/38=1,57=2/1;",
           " 2/12=2,17=6,18=5,40=1/2;",
           " 3/5=1,6=6,7=1,11=2,25=1,30=1,71=1,74=-5/1,2,3;",
           " 4/%s/1;" % ("7=1" if unrestricted else ""),
           " 5/5=2,38=5/2;"]
    if td:
        out.append(" 8/6=4,10=90,11=11,108=1/1;")
        out.append(" 9/41=%d,42=1,48=1,49=1/14;" % (10 if opt else 12))
        out.append(" 10/5=1,13=1,31=1/2;")
    out.append(" 6/7=2,8=2,9=2,10=2/1;")
    if opt:
        out += [" 7/30=1/1,2,3,16;", " 1/18=20,19=15/3(2);",
                " 2/9=110/2;", " 99//99;"]
    else:
        out.append(" 99/5=1,9=1/99;")
    return out


# ---------------------------------------------------------------------------
# Molecules (geometries in Angstrom)


def ring(radius_c, radius_h, heavy=None):
    atoms = []
    for k in range(6):
        a = math.radians(90.0 - 60.0 * k)
        z = heavy if (heavy and k == 0) else 6
        atoms.append((z, round(radius_c * math.cos(a), 6) + 0.0,
                      round(radius_c * math.sin(a), 6) + 0.0, 0.0))
    for k in range(6):
        a = math.radians(90.0 - 60.0 * k)
        atoms.append((1, round(radius_h * math.cos(a), 6) + 0.0,
                      round(radius_h * math.sin(a), 6) + 0.0, 0.0))
    return atoms


BENZENE = ring(1.3965, 2.4835)
PYRIDINE = [a for i, a in enumerate(ring(1.3935, 2.4790, heavy=7)) if i != 6]
ACROLEIN_STEPS = [
    [(6, -1.799510, -0.350781, 0.0), (6, -0.567812, 0.467210, 0.0),
     (6, 0.736210, -0.187934, 0.0), (8, 1.802112, 0.421873, 0.0),
     (1, -2.712340, 0.236512, 0.0), (1, -1.851234, -1.434512, 0.0),
     (1, -0.610123, 1.552340, 0.0), (1, 0.703321, -1.298712, 0.0)],
    [(6, -1.805123, -0.348812, 0.0), (6, -0.561234, 0.471123, 0.0),
     (6, 0.742110, -0.190012, 0.0), (8, 1.795634, 0.426712, 0.0),
     (1, -2.718712, 0.240123, 0.0), (1, -1.858712, -1.430187, 0.0),
     (1, -0.602345, 1.556512, 0.0), (1, 0.710014, -1.301423, 0.0)],
    [(6, -1.806012, -0.348101, 0.0), (6, -0.560987, 0.471634, 0.0),
     (6, 0.742567, -0.190345, 0.0), (8, 1.794923, 0.427001, 0.0),
     (1, -2.719045, 0.240512, 0.0), (1, -1.859101, -1.429874, 0.0),
     (1, -0.601987, 1.556834, 0.0), (1, 0.710412, -1.301611, 0.0)],
]
ALLYL = [(6, 0.0, 0.418712, 0.0), (6, 1.230123, -0.212345, 0.0),
         (6, -1.230123, -0.212345, 0.0), (1, 0.0, 1.509812, 0.0),
         (1, 2.163412, 0.336123, 0.0), (1, -2.163412, 0.336123, 0.0),
         (1, 1.289012, -1.298734, 0.0), (1, -1.289012, -1.298734, 0.0)]
FORMALDEHYDE = [(6, 0.0, 0.0, -0.528812), (8, 0.0, 0.0, 0.677234),
                (1, 0.0, 0.935712, -1.113456), (1, 0.0, -0.935712, -1.113456)]
DICHLOROMETHANE = [(6, 0.0, 0.0, 0.771234), (17, 0.0, 1.488712, -0.181234),
                   (17, 0.0, -1.488712, -0.181234), (1, 0.897123, 0.0, 1.372345),
                   (1, -0.897123, 0.0, 1.372345)]
ETHYLENE = [(6, 0.0, 0.0, 0.665123), (6, 0.0, 0.0, -0.665123),
            (1, 0.0, 0.923412, 1.239812), (1, 0.0, -0.923412, 1.239812),
            (1, 0.0, 0.923412, -1.239812), (1, 0.0, -0.923412, -1.239812)]
WATER = [(8, 0.0, 0.0, 0.119712), (1, 0.0, 0.763212, -0.478834),
         (1, 0.0, -0.763212, -0.478834)]


def charges_for(atoms, heavy_charge=-0.13):
    out = []
    for z, *_ in atoms:
        out.append({1: 0.13, 6: heavy_charge, 7: -0.43, 8: -0.46,
                    17: -0.11}[z])
    # Let the hydrogens carry what makes the molecule neutral.
    h = [i for i, a in enumerate(atoms) if a[0] == 1]
    excess = sum(out)
    for i in h:
        out[i] -= excess / len(h)
    return out


# ---------------------------------------------------------------------------
# Fixture data


class Fixture:
    """Everything a reader should get from one file."""

    def __init__(self, name, blurb):
        self.name = name
        self.blurb = blurb
        self.valid = True
        self.sections = []  # list of (states, total energy text)
        self.occ = []
        self.virt = []
        self.notes = []  # extra README bullet lines
        self.crlf = False
        self.text = ""


def single_point_td(job, title, atoms, method, scf, occ, virt, states,
                    state_label, route, nbasis, beta=None, cycles=13,
                    pop=True, extra_footer=None, total_text=None):
    """A TD-DFT single point: header, SCF, link 914, link 601, footer."""
    nae = len(occ)
    nbe = len(beta[0]) if beta else nae
    unrestricted = beta is not None
    lines = header(job, route, title, 0, 2 if unrestricted else 1, atoms,
                   link_lines(unrestricted=unrestricted))
    lines += [" (Enter /apps/g16/l202.exe)"] + orientation(atoms)
    lines += scf_block(method, scf, cycles, nbasis, nae, nbe)
    td, total = td_section(states, scf, total_text, unrestricted, nbasis, nae)
    lines += td
    if pop:
        lines += population(atoms, occ, virt, state_label,
                            beta[0] if beta else None, beta[1] if beta else None,
                            charges_for(atoms))
    lines += [" Dipole moment (field-independent basis, Debye):",
              "    X=              0.0000    Y=              0.0000    Z=         "
              "     0.0000  Tot=              0.0000"]
    formula = title.split()[0]
    lines += footer(4, ["1", "1", "GINC-NODE07", "SP", method, "6-31G(d)",
                        formula, "NODARA", "11-Dec-2024", "0", "",
                        route[0].strip(), "", title, "",
                        "0,%d" % (2 if unrestricted else 1),
                        "Version=ES64L-G16RevC.01", "State=%s" % state_label,
                        "HF=%.7f" % scf], extra_footer)
    return fmt_lines(lines), total


def td_single_point():
    fx = Fixture("td_single_point.log",
                 "Closed-shell TD-DFT single point of pyridine, RB3LYP/6-31G(d), "
                 "route `#p td=(nstates=12) b3lyp/6-31g(d)`.")
    occ = [-14.33321, -10.23567, -10.23561, -10.19836, -10.19832, -10.19102,
           -0.99012, -0.82851, -0.80322, -0.66598, -0.64105, -0.56734,
           -0.50187, -0.46893, -0.45621, -0.42876, -0.39412, -0.35889,
           -0.29117, -0.27004, -0.26235]
    virt = virt_series([-0.03213, -0.02389, 0.06457, 0.10921, 0.12055,
                        0.15483, 0.16012, 0.21564, 0.24678, 0.30012],
                       79, 4.18723)
    states = [
        State(1, "Singlet", "B1", 4.9012, 0.0051,
              [c(21, 22, 0.67012), c(21, 25, -0.10000)]),
        State(2, "Singlet", "A2", 5.1254, 0.0000, [c(21, 23, 0.69123)]),
        State(3, "Singlet", "B2", 5.5276, 0.0321,
              [c(19, 22, 0.50234), c(20, 23, 0.47012), c(19, 23, 0.10000)]),
        State(4, "Singlet", "A1", 6.2115, 0.0134,
              [c(19, 23, -0.42011), c(20, 22, 0.55012), d(20, 22, -0.10012)]),
        State(5, "Singlet", "B1", 6.4012, 0.0021,
              [c(18, 22, 0.68234), c(18, 23, 0.09998)]),
        State(6, "Singlet", "A1", 7.0183, 0.5614,
              [c(19, 23, 0.52034), c(20, 22, -0.45012), d(19, 23, -0.11234),
               d(20, 22, 0.10001)]),
        State(7, "Singlet", "B2", 7.1256, 0.4871,
              [c(19, 22, 0.50123), c(20, 23, 0.47345), d(19, 22, -0.10892)]),
        State(8, "Singlet", "A2", 7.3012, 0.0000, [c(17, 22, 0.69812)]),
        State(9, "Singlet", "B1", 7.4567, 0.0003,
              [c(21, 24, 0.68712), c(21, 26, -0.13456)]),
        State(10, "Singlet", "A1", 7.5834, 0.0078,
              [c(20, 24, 0.60123), c(16, 22, 0.31245), c(19, 25, -0.12012)]),
        State(11, "Singlet", "B2", 7.7123, 0.0412,
              [c(19, 24, 0.65432), c(20, 25, 0.20123)]),
        State(12, "Singlet", "A2", 7.9256, 0.0000,
              [c(16, 23, 0.66789), c(15, 22, -0.17234), c(17, 23, 0.10567)]),
    ]
    text, total = single_point_td(
        "pyridine_td", "C5H5N pyridine TD-DFT B3LYP/6-31G(d)", PYRIDINE,
        "RB3LYP", -248.290672515, occ, virt, states, "1-A1",
        [" #p td=(nstates=12) b3lyp/6-31g(d)"], 100)
    fx.text, fx.occ, fx.virt = text, occ, virt
    fx.sections = [(states, total)]
    fx.notes = ["State 1 holds the coefficient -0.10000 and state 3 the "
                "coefficient 0.10000: both equal the default threshold and are "
                "left out; 0.10001 (state 6) is kept, 0.09998 (state 5) is not.",
                "States 11 and 12 lie above 10 and are not imported."]
    return fx


def opt_td():
    fx = Fixture("opt_td.log",
                 "Optimisation with TD-DFT of acrolein, RB3LYP/6-31G(d), route "
                 "`#p opt td=(nstates=10) b3lyp/6-31g(d)`: three geometry steps, "
                 "each with an SCF, a TD section and an eigenvalue block, then the "
                 "final eigenvalue block after convergence. The TD sections hold "
                 "10, 8 and 6 states; only the last one counts.")
    scf = [-191.912345612, -191.915021874, -191.915183456]
    occ_steps, virt_steps = [], []
    for k in range(3):
        sh = [0.00213, 0.00041, 0.0][k]
        occ = [-19.17234 + sh, -10.26671 + sh, -10.19712 + sh, -10.18856 + sh,
               -1.08934 + sh, -0.79123 + sh, -0.69012 + sh, -0.58743 + sh,
               -0.51234 + sh, -0.47612 + sh, -0.44523 + sh, -0.41234 + sh,
               -0.37612 + sh, -0.28834 + sh, -0.26012 + sh]
        occ = [round(v, 5) for v in occ]
        virt = virt_series([round(v - sh, 5) for v in
                            [-0.07512, 0.03123, 0.09876, 0.11234, 0.14512,
                             0.16789, 0.19234]], 53, 4.05123 - sh)
        occ_steps.append(occ)
        virt_steps.append(virt)
    sections = []
    shifts = [0.0412, 0.0087, 0.0]
    syms = ["A\"", "A'", "A\"", "A'", "A'", "A\"", "A'", "A'", "A\"", "A'"]
    for k, count in enumerate([10, 8, 6]):
        sh = shifts[k]
        base = [(3.7123, 0.0001, [c(15, 16, 0.70312), c(15, 18, -0.10412)]),
                (5.9512, 0.0021, [c(13, 16, 0.69012)]),
                (6.3912, 0.3912, [c(14, 16, 0.68123), c(12, 16, 0.12456),
                                  d(14, 16, -0.10734)]),
                (6.8734, 0.0000, [c(15, 17, 0.70123)]),
                (7.1045, 0.0345, [c(15, 18, 0.64512), c(14, 17, 0.23012)]),
                (7.4489, 0.0071, [c(11, 16, 0.68902)]),
                (7.8012, 0.0123, [c(14, 17, 0.61234), c(15, 19, -0.30123)]),
                (8.0567, 0.1011, [c(12, 16, 0.66012), c(14, 16, -0.11023)]),
                (8.2345, 0.0002, [c(15, 20, 0.69123)]),
                (8.4678, 0.0456, [c(13, 17, 0.58734), c(10, 16, 0.34512)])]
        states = []
        for n in range(count):
            ev, f, contribs = base[n]
            # Coefficients drift a little from step to step.
            drift = [Contribution(t.fr, t.arrow, t.to,
                                  round(t.coef * (1.0 - 0.0123 * (2 - k)), 5))
                     for t in contribs]
            states.append(State(n + 1, "Singlet", syms[n],
                                round(ev + sh * (1 + n % 3), 4),
                                round(f * (1.0 - 0.05 * (2 - k)), 4), drift))
        sections.append(states)
    totals = ["%.9f" % (scf[0] + sections[0][0].ev / HARTREE_EV),
              "%.9f" % (scf[1] + sections[1][0].ev / HARTREE_EV),
              fortran_d(scf[2] + sections[2][0].ev / HARTREE_EV)]
    lines = header("acrolein_opt_td", [" #p opt td=(nstates=10) b3lyp/6-31g(d)"],
                   "C3H4O acrolein S1 optimisation TD-DFT B3LYP/6-31G(d)", 0, 1,
                   ACROLEIN_STEPS[0], link_lines(opt=True))
    lines += [" Berny optimization.", " Initialization pass."]
    forces = [(0.012345, 0.004321, 0.045678, 0.012345, "NO"),
              (0.001234, 0.000432, 0.006543, 0.001876, "NO"),
              (0.000123, 0.000043, 0.000654, 0.000187, "YES")]
    for k in range(3):
        atoms = ACROLEIN_STEPS[k]
        lines += [" (Enter /apps/g16/l202.exe)"] + orientation(atoms, "Input")
        lines += orientation(atoms)
        lines += scf_block("RB3LYP", scf[k], 14 - 4 * k, 68, 15, 15)
        td, _ = td_section(sections[k], scf[k], totals[k], nbasis=68, nocc=15)
        lines += td
        lines += population(atoms, occ_steps[k], virt_steps[k], "1-A'",
                            charges=charges_for(atoms))
        lines += [" (Enter /apps/g16/l1002.exe)",
                  " (Enter /apps/g16/l716.exe)",
                  " ***** Axes restored to original set *****",
                  " -------------------------------------------------------------------",
                  " Center     Atomic                   Forces (Hartrees/Bohr)",
                  " Number     Number              X              Y              Z",
                  " -------------------------------------------------------------------"]
        for i, a in enumerate(atoms, 1):
            fx_ = forces[k][0] * math.sin(i * 1.7) / (1 + i % 3)
            fy_ = forces[k][0] * math.cos(i * 2.3) / (1 + i % 2)
            lines.append(" %6d %8d %18.9f %14.9f %14.9f" % (i, a[0], fx_, fy_, 0.0))
        lines += [" -------------------------------------------------------------------",
                  " (Enter /apps/g16/l103.exe)", " ",
                  " GradGradGradGradGradGradGradGradGradGradGradGradGradGradGradGradGradGrad",
                  " Berny optimization.",
                  "         Item               Value     Threshold  Converged?"]
        mf, rf, md, rd, conv = forces[k]
        lines += [" Maximum Force            %.6f     0.000450     %s" % (mf, conv),
                  " RMS     Force            %.6f     0.000300     %s" % (rf, conv),
                  " Maximum Displacement     %.6f     0.001800     %s" % (md, conv),
                  " RMS     Displacement     %.6f     0.001200     %s" % (rd, conv)]
        if k < 2:
            lines += [" Predicted change in Energy=-%.6fD-03" % (2.67 / (k + 1)),
                      " GradGradGradGradGradGradGradGradGradGradGradGradGradGradGradGradGradGrad"]
        else:
            lines += [" Predicted change in Energy=-1.523412D-07",
                      " Optimization completed.",
                      "    -- Stationary point found.",
                      "                           ----------------------------",
                      "                           !   Optimized Parameters   !",
                      "                           ! (Angstroms and Degrees)  !",
                      " GradGradGradGradGradGradGradGradGradGradGradGradGradGradGradGradGradGrad"]
    # After convergence Gaussian prints the population once more.
    lines += orientation(ACROLEIN_STEPS[2])
    lines += population(ACROLEIN_STEPS[2], occ_steps[2], virt_steps[2], "1-A'",
                        charges=charges_for(ACROLEIN_STEPS[2]))
    lines += footer(21, ["1", "1", "GINC-NODE07", "FOpt", "RB3LYP", "6-31G(d)",
                         "C3H4O1", "NODARA", "11-Dec-2024", "0", "",
                         "#p opt td=(nstates=10) b3lyp/6-31g(d)", "",
                         "C3H4O acrolein S1 optimisation", "", "0,1",
                         "Version=ES64L-G16RevC.01", "State=1-A'",
                         "HF=%.7f" % scf[2]])
    fx.text = fmt_lines(lines)
    fx.occ, fx.virt = occ_steps[2], virt_steps[2]
    fx.sections = [(s, t) for s, t in zip(sections, totals)]
    fx.notes = ["The last Total Energy line is written with a Fortran exponent, "
                "`%s`, and reads as %.6f." % (totals[2], float(totals[2].replace("D", "E"))),
                "The first eigenvalue block has HOMO %.5f and LUMO %.5f; the last "
                "block (the one that counts) has HOMO %.5f and LUMO %.5f."
                % (occ_steps[0][-1], virt_steps[0][0], occ_steps[2][-1],
                   virt_steps[2][0]),
                "Only S1 to S6 are imported: S7 to S10 of the earlier sections "
                "are never stored."]
    return fx


def unrestricted_td():
    fx = Fixture("unrestricted_td.log",
                 "Unrestricted TD-DFT of the allyl radical (doublet), "
                 "UB3LYP/6-31G(d), route `#p td=(nstates=6) ub3lyp/6-31g(d) "
                 "nosymm`. Alpha and Beta eigenvalue lines; states carry numeric "
                 "multiplicities and A/B spin letters on the orbital labels.")
    occ = [-10.20123, -10.20109, -10.18345, -0.81234, -0.69871, -0.59012,
           -0.48561, -0.45123, -0.42112, -0.36891, -0.33012, -0.20312]
    virt = virt_series([0.02145, 0.05321, 0.07812, 0.09934, 0.12567],
                       43, 3.98712)
    bocc = [-10.19871, -10.19862, -10.17212, -0.79561, -0.69012, -0.58234,
            -0.48012, -0.44871, -0.41543, -0.35212, -0.32123]
    bvirt = virt_series([-0.02113, 0.04512, 0.08123, 0.10212], 44, 3.99123)
    s2s = [0.762, 0.789, 1.234, 2.036, 0.771, 3.781]
    contribs = [
        [c(11, 12, 0.97123, spin="B"), c(12, 13, 0.12034, spin="A")],
        [c(12, 13, 0.89123, spin="A"), c(10, 12, -0.31245, spin="B"),
         d(12, 13, -0.10001, spin="A")],
        [c(12, 14, 0.71234, spin="A"), c(9, 12, 0.62012, spin="B"),
         c(11, 13, -0.15123, spin="B")],
        [c(11, 13, 0.65123, spin="A"), c(11, 13, -0.64012, spin="B")],
        [c(11, 13, 0.49012, spin="A"), c(10, 12, 0.68123, spin="B"),
         d(11, 13, -0.10567, spin="A")],
        [c(12, 15, 0.70123, spin="A"), c(8, 12, -0.68001, spin="B")],
    ]
    evs = [3.1012, 3.4521, 4.0123, 4.3567, 4.8901, 5.1234]
    fs = [0.0004, 0.0291, 0.0012, 0.0000, 0.1734, 0.0000]
    states = [State(i + 1, unrestricted_mult(s2s[i]), "A", evs[i], fs[i],
                    contribs[i], s2s[i]) for i in range(6)]
    text, total = single_point_td(
        "allyl_utd", "C3H5 allyl radical UTD-DFT UB3LYP/6-31G(d)", ALLYL,
        "UB3LYP", -117.212345671, occ, virt, states, "2-A",
        [" #p td=(nstates=6) ub3lyp/6-31g(d) nosymm"], 55, beta=(bocc, bvirt))
    fx.text, fx.occ, fx.virt = text, occ, virt
    fx.sections = [(states, total)]
    fx.notes = ["Alpha orbitals only: 12 occupied, 43 virtual (the 11 occupied "
                "and 44 virtual Beta values are not counted).",
                "Multiplicity texts: 2.012, 2.039, 2.436, 3.024, 2.021, 4.015. "
                "Read as singlets: none. Read as triplets: states 3 (2.436, "
                "<S**2>=1.234) and 4 (3.024).",
                "The spin letters of the labels do not appear in the imported "
                "texts (11B -> 12B is written 11->12)."]
    return fx


def td_crlf():
    fx = Fixture("td_crlf.log",
                 "Small TD-DFT single point of formaldehyde, RB3LYP/6-31G(d), "
                 "route `#p td=(nstates=4) b3lyp/6-31g(d)`, with CRLF line ends: "
                 "every line ends in a carriage return before the line feed.")
    occ = [-19.13412, -10.24512, -1.04123, -0.63912, -0.48123, -0.43012,
           -0.39234, -0.26512]
    virt = virt_series([-0.03712, 0.09123, 0.15234, 0.21012, 0.50123],
                       26, 3.61234)
    states = [
        State(1, "Singlet", "A2", 3.9012, 0.0000,
              [c(8, 9, 0.70712), c(8, 12, -0.10000)]),
        State(2, "Singlet", "B2", 6.9734, 0.0412,
              [c(8, 10, 0.69523), c(7, 11, 0.11234)]),
        State(3, "Singlet", "B1", 7.4512, 0.0023,
              [c(6, 9, 0.68712), d(6, 9, -0.10412)]),
        State(4, "Singlet", "A1", 8.3123, 0.1823,
              [c(7, 9, 0.62345), c(8, 11, -0.30123), d(7, 9, -0.12012)]),
    ]
    text, total = single_point_td(
        "formaldehyde_td", "CH2O formaldehyde TD-DFT B3LYP/6-31G(d)",
        FORMALDEHYDE, "RB3LYP", -114.500234567, occ, virt, states, "1-A1",
        [" #p td=(nstates=4) b3lyp/6-31g(d)"], 34)
    fx.text, fx.occ, fx.virt = text, occ, virt
    fx.sections = [(states, total)]
    fx.crlf = True
    fx.notes = ["Read as LF lines, every line keeps a trailing carriage return; "
                "every value is the same as if the file had LF line ends."]
    return fx


def ground_state():
    fx = Fixture("ground_state.log",
                 "Ground-state single point of dichloromethane, RB3LYP/6-31G(d), "
                 "route `#p b3lyp/6-31g(d)`, with no TD section. The chlorine 1s "
                 "energies are ten characters wide, so the first occupied line "
                 "has glued values: `-101.56712-101.56709`.")
    occ = [-101.56712, -101.56709, -10.30542, -9.48321, -9.48318, -7.24689,
           -7.24650, -7.24432, -7.24410, -7.24401, -7.24389, -0.90123,
           -0.84561, -0.71234, -0.54212, -0.47651, -0.44212, -0.40123,
           -0.34121, -0.33015, -0.31872]
    virt = virt_series([0.00254, 0.06871, 0.09912, 0.13456, 0.38912],
                       36, 4.41234)
    scf = -959.611234512
    lines = header("dcm_sp", [" #p b3lyp/6-31g(d)"],
                   "CH2Cl2 dichloromethane ground state B3LYP/6-31G(d)", 0, 1,
                   DICHLOROMETHANE, link_lines(td=False))
    lines += [" (Enter /apps/g16/l202.exe)"] + orientation(DICHLOROMETHANE)
    lines += scf_block("RB3LYP", scf, 11, 57, 21, 21)
    lines += population(DICHLOROMETHANE, occ, virt, "1-A1",
                        charges=charges_for(DICHLOROMETHANE))
    lines += footer(2, ["1", "1", "GINC-NODE07", "SP", "RB3LYP", "6-31G(d)",
                        "C1H2Cl2", "NODARA", "11-Dec-2024", "0", "",
                        "#p b3lyp/6-31g(d)", "", "CH2Cl2 dichloromethane", "",
                        "0,1", "Version=ES64L-G16RevC.01", "State=1-A1",
                        "HF=%.7f" % scf])
    fx.text = fmt_lines(lines)
    fx.occ, fx.virt = occ, virt
    fx.notes = ["No line contains `Excitation energies and oscillator strengths:`: "
                "the excited-state import fails and no config file is written.",
                "The orbital reader still finds its eigenvalue block."]
    return fx


def no_orbitals_td():
    fx = Fixture("no_orbitals_td.log",
                 "TD-DFT single point of ethylene with population analysis "
                 "switched off, route `#p td=(nstates=4) b3lyp/6-31g(d) pop=none`: "
                 "the excited states are there, no `Alpha  occ. eigenvalues` line "
                 "is.")
    states = [
        State(1, "Singlet", "B3U", 7.3412, 0.3312,
              [c(8, 9, 0.70123), d(8, 9, -0.10934)]),
        State(2, "Singlet", "B1G", 7.6123, 0.0000, [c(8, 10, 0.70612)]),
        State(3, "Singlet", "B2G", 8.0234, 0.0000,
              [c(7, 9, 0.69812), c(8, 11, 0.10000)]),
        State(4, "Singlet", "AG", 8.3712, 0.0000,
              [c(8, 12, 0.67123), c(6, 9, -0.18234)]),
    ]
    text, total = single_point_td(
        "ethylene_td", "C2H4 ethylene TD-DFT B3LYP/6-31G(d)", ETHYLENE,
        "RB3LYP", -78.587456123, [0.0] * 8, [], states, "1-AG",
        [" #p td=(nstates=4) b3lyp/6-31g(d) pop=none"], 38, pop=False)
    fx.text = text
    fx.sections = [(states, total)]
    fx.notes = ["The orbital reader finds no orbitals: no frontier energy is "
                "stored, and the import still succeeds with a count of 0."]
    return fx


def water_td(job, state_number=1, big_label=False):
    """Small water TD log used by the two out-of-range fixtures."""
    occ = [-19.13818, -0.99802, -0.51869, -0.37001, -0.29232]
    virt = virt_series([0.07853, 0.15298, 0.56123, 0.62012, 0.89123], 14,
                       3.41234)
    second = "99999999999" if big_label else 4
    states = [
        State(state_number, "Singlet", "B1", 7.3712, 0.0123,
              [c(5, 6, 0.70123), c(second, 7, 0.12345)]),
        State(2, "Singlet", "A2", 9.1234, 0.0000, [c(5, 7, 0.70312)]),
    ]
    text, total = single_point_td(
        job, "H2O water TD-DFT B3LYP/6-31G(d)", WATER, "RB3LYP", -76.408953223,
        occ, virt, states, "1-A1", [" #p td=(nstates=2) b3lyp/6-31g(d)"], 19)
    return text, total, occ, virt, states


def td_out_of_range():
    fx = Fixture("td_out_of_range.log",
                 "Small TD-DFT log of water whose first `Excited State` line "
                 "carries the number 99999999999, beyond the 32-bit range; "
                 "otherwise a valid log (2 states, eigenvalue block).")
    # The big number stands on the first state: converting it fails before
    # any state is stored.
    text, total, occ, virt, states = water_td("water_oor", state_number=99999999999)
    fx.text, fx.occ, fx.virt = text, occ, virt
    fx.sections = [(states, total)]
    fx.notes = ["Reading the states fails on the state number: the standard "
                "integer conversion reports out of range (`stoi`); the "
                "excited-state import reports `提取激发态数据失败: stoi`, stores "
                "nothing and no config file is written."]
    return fx


def td_label_out_of_range():
    fx = Fixture("td_label_out_of_range.log",
                 "Small TD-DFT log of water whose state 1 has the contribution "
                 "line `99999999999 -> 7  0.12345`: an orbital label beyond the "
                 "32-bit range; otherwise a valid log (2 states, eigenvalue "
                 "block).")
    text, total, occ, virt, states = water_td("water_lbl", big_label=True)
    fx.text, fx.occ, fx.virt = text, occ, virt
    fx.sections = [(states, total)]
    fx.notes = ["The state and contribution patterns match the line; the "
                "orbital number taken from the 11-digit label cannot be held "
                "in 32 bits, so reading the states fails with the integer "
                "conversion's out-of-range error (`stoi`): the excited-state "
                "import reports `提取激发态数据失败: stoi` and nothing is "
                "written. The tables below show the label as printed."]
    return fx


def not_gaussian():
    fx = Fixture("not_gaussian.txt",
                 "Plain text laid out like the output of another quantum-chemistry "
                 "program; it never contains the word with a capital G "
                 "(the lower-case word appears once).")
    fx.valid = False
    lines = [
        "",
        "                                 *****************",
        "                                 * O   R   C   A *",
        "                                 *****************",
        "",
        "                      --- An Ab Initio, DFT and Semiempirical electronic"
        " structure package ---",
        "",
        "================================================================================",
        "                                       INPUT FILE",
        "================================================================================",
        "NAME = pyridine_tddft.inp",
        "|  1> ! B3LYP def2-SVP TightSCF",
        "|  2> %tddft nroots 4 end",
        "|  3> * xyzfile 0 1 pyridine.xyz",
        "|  4> ",
        "|  5>                          ****END OF INPUT****",
        "================================================================================",
        "",
        "Your calculation utilizes the basis: def2-SVP",
        "  (contracted gaussian functions of the split-valence type)",
        "",
        "----------------------",
        "SCF ITERATIONS",
        "----------------------",
        "ITER       Energy         Delta-E        Max-DP      RMS-DP",
        "  0   -247.9123456712   0.000000000000 0.04123   0.00312",
        "  1   -248.0012345123  -0.088888841100 0.01234   0.00101",
        "  2   -248.0123412345  -0.011106722200 0.00412   0.00034",
        "                 *****************************************************",
        "                 *                     SUCCESS                       *",
        "                 *           SCF CONVERGED AFTER  12 CYCLES          *",
        "                 *****************************************************",
        "",
        "----------------",
        "ORBITAL ENERGIES",
        "----------------",
        "",
        "  NO   OCC          E(Eh)            E(eV) ",
        "  19   2.0000      -0.291234        -7.9249 ",
        "  20   2.0000      -0.270123        -7.3504 ",
        "  21   2.0000      -0.262345        -7.1388 ",
        "  22   0.0000      -0.032123        -0.8741 ",
        "  23   0.0000      -0.023890        -0.6501 ",
        "",
        "-------------------",
        "TD-DFT/TDA EXCITED STATES (SINGLETS)",
        "-------------------",
        "",
        "STATE  1:  E=   0.180123 au      4.901 eV    39532.1 cm**-1 <S**2> =   0.000000",
        "    21a ->  22a  :     0.912345 (c=  0.95516)",
        "",
        "STATE  2:  E=   0.188345 au      5.125 eV    41336.6 cm**-1 <S**2> =   0.000000",
        "    21a ->  23a  :     0.951234 (c= -0.97531)",
        "",
        "TOTAL RUN TIME: 0 days 0 hours 3 minutes 12 seconds 345 msec",
    ]
    fx.text = fmt_lines(lines)
    return fx


# ---------------------------------------------------------------------------
# The bundled example: benzene


BENZENE_OCC = [-10.18949, -10.18922, -10.18922, -10.18871, -10.18871,
               -10.18845, -0.84732, -0.74051, -0.74051, -0.59713, -0.59713,
               -0.51534, -0.45124, -0.44321, -0.44321, -0.41763, -0.36287,
               -0.36287, -0.33841, -0.24863, -0.24863]
BENZENE_VIRT = virt_series([0.00671, 0.00671, 0.09312, 0.13878, 0.13878,
                            0.16032, 0.18345, 0.18345, 0.21534, 0.21534,
                            0.31267, 0.33412, 0.33412], 81, 4.34512)


def benzene_states():
    return [
        State(1, "Singlet", "B2U", 5.4021, 0.0000,
              [c(20, 22, -0.48971), c(21, 23, 0.48971)]),
        State(2, "Singlet", "B1U", 6.0512, 0.0000,
              [c(20, 23, 0.49213), c(21, 22, 0.49213)]),
        State(3, "Singlet", "E1G", 6.7034, 0.0000, [c(20, 24, 0.70012)]),
        State(4, "Singlet", "E1G", 6.7034, 0.0000, [c(21, 24, 0.70012)]),
        State(5, "Singlet", "E1U", 7.0521, 0.5932,
              [c(20, 22, 0.48712), c(21, 23, 0.48712), d(20, 22, -0.10312),
               d(21, 23, -0.10312)]),
        State(6, "Singlet", "E1U", 7.0521, 0.5932,
              [c(20, 23, -0.48712), c(21, 22, 0.48712), d(20, 23, 0.10312),
               d(21, 22, -0.10312)]),
        State(7, "Singlet", "E2G", 7.3412, 0.0000, [c(19, 22, 0.69921)]),
        State(8, "Singlet", "E2G", 7.3412, 0.0000, [c(19, 23, 0.69921)]),
        State(9, "Singlet", "A2U", 7.6123, 0.0231,
              [c(19, 24, 0.70123), c(21, 23, 0.04512)]),
        State(10, "Singlet", "B1U", 7.8645, 0.0000,
              [c(18, 22, 0.49821), c(17, 23, -0.49821)]),
        State(11, "Singlet", "E1U", 8.0234, 0.0521,
              [c(17, 22, 0.45123), c(18, 23, 0.45123), c(20, 22, -0.19234)]),
        State(12, "Singlet", "E1U", 8.0234, 0.0521,
              [c(17, 23, -0.45123), c(18, 22, 0.45123), c(21, 23, 0.19234)]),
    ]


def benzene_log():
    fx = Fixture("benzene.log",
                 "TD-DFT single point of benzene, RB3LYP/6-31G(d), route "
                 "`#p td=(nstates=12) b3lyp/6-31g(d)`; degenerate orbital and "
                 "state pairs as D6h gives.")
    states = benzene_states()
    text, total = single_point_td(
        "benzene", "C6H6 benzene TD-DFT B3LYP/6-31G(d)", BENZENE, "RB3LYP",
        -232.248654325, BENZENE_OCC, BENZENE_VIRT, states, "1-A1G",
        [" #p td=(nstates=12) b3lyp/6-31g(d)"], 102)
    fx.text, fx.occ, fx.virt = text, BENZENE_OCC, BENZENE_VIRT
    fx.sections = [(states, total)]
    fx.notes = ["HOMO-1/HOMO (e1g) and LUMO/LUMO+1 (e2u) are degenerate pairs "
                "with equal energies.",
                "States 11 and 12 lie above 10 and are not imported."]
    return fx


BOHR_ATOMS = [(z, x * ANGSTROM_BOHR, y * ANGSTROM_BOHR, zz * ANGSTROM_BOHR)
              for z, x, y, zz in BENZENE]
GRID_N = (6, 6, 6)
GRID_ORIGIN = (-6.0, -6.0, -3.0)
GRID_STEP = (2.4, 2.4, 1.2)


def grid_points():
    for i in range(GRID_N[0]):
        for j in range(GRID_N[1]):
            for k in range(GRID_N[2]):
                yield (GRID_ORIGIN[0] + i * GRID_STEP[0],
                       GRID_ORIGIN[1] + j * GRID_STEP[1],
                       GRID_ORIGIN[2] + k * GRID_STEP[2])


def pi_orbital(weights, alpha):
    """A pi orbital built from carbon p_z functions with given weights."""
    carbons = BOHR_ATOMS[:6]

    def raw(p):
        total = 0.0
        for w, (_, x, y, z) in zip(weights, carbons):
            r = math.dist(p, (x, y, z))
            total += w * (p[2] - z) * math.exp(-alpha * r)
        return total

    # Normalised over the grid, so that densities of different orbitals
    # can be compared and subtracted.
    volume = GRID_STEP[0] * GRID_STEP[1] * GRID_STEP[2]
    norm = math.sqrt(sum(raw(p) ** 2 for p in grid_points()) * volume)
    return lambda p: raw(p) / norm


ANGLES = [math.radians(90.0 - 60.0 * k) for k in range(6)]
MO = {
    20: pi_orbital([math.cos(a) for a in ANGLES], 0.95),
    21: pi_orbital([math.sin(a) for a in ANGLES], 0.95),
    # The virtual pair is more diffuse than the occupied one.
    22: pi_orbital([math.cos(2 * a) for a in ANGLES], 0.7),
    23: pi_orbital([math.sin(2 * a) for a in ANGLES], 0.7),
}


def density(p):
    total = 0.0
    for z, x, y, zz in BOHR_ATOMS:
        r = math.dist(p, (x, y, zz))
        total += (0.9 if z == 6 else 0.4) * math.exp(-1.6 * r) + \
            (0.08 if z == 6 else 0.03) * math.exp(-0.7 * r)
    return total


def elf(p):
    rho = density(p)
    return 1.0 / (1.0 + (0.02 / (rho + 1e-4)) ** 2 + 0.3 * rho)


def cube_text(comment1, comment2, func, mo=None, peak=None):
    """A cube file; values scaled so that the largest magnitude is peak."""
    natoms = len(BOHR_ATOMS)
    out = [comment1, comment2,
           "%5d%12.6f%12.6f%12.6f" % (((-natoms if mo else natoms),) + GRID_ORIGIN)]
    for axis in range(3):
        vec = [0.0, 0.0, 0.0]
        vec[axis] = GRID_STEP[axis]
        out.append("%5d%12.6f%12.6f%12.6f" % ((GRID_N[axis],) + tuple(vec)))
    for z, x, y, zz in BOHR_ATOMS:
        out.append("%5d%12.6f%12.6f%12.6f%12.6f" % (z, float(z), x, y, zz))
    if mo:
        out.append("%5d%5d" % (1, mo))
    values = [func(p) for p in grid_points()]
    if peak:
        scale = peak / max(abs(v) for v in values)
        values = [v * scale for v in values]
    row = GRID_N[2]
    for start in range(0, len(values), row):
        chunk = values[start:start + row]
        for s in range(0, len(chunk), 6):
            out.append("".join("%13.5E" % v for v in chunk[s:s + 6]))
    return fmt_lines(out)


def benzene_cubes():
    title = " benzene TD-DFT B3LYP/6-31G(d)"
    homo_density = lambda p: 0.5 * (MO[20](p) ** 2 + MO[21](p) ** 2)
    lumo_density = lambda p: 0.5 * (MO[22](p) ** 2 + MO[23](p) ** 2)
    # name: (comment 1, comment 2, function, MO number, largest magnitude)
    cubes = {
        "benzene_oH1.cub": (title, " MO coefficients", MO[20], 20, 0.12),
        "benzene_oH.cub": (title, " MO coefficients", MO[21], 21, 0.12),
        "benzene_oL.cub": (title, " MO coefficients", MO[22], 22, 0.12),
        "benzene_oL1.cub": (title, " MO coefficients", MO[23], 23, 0.12),
        "benzene_S1_hole.cub": (" Hole distribution of excited state 1",
                                " Bohr units", homo_density, None, 0.012),
        "benzene_S1_ele.cub": (" Electron distribution of excited state 1",
                               " Bohr units", lumo_density, None, 0.012),
        "benzene_f+.cub": (" Fukui function f+ (LUMO density)", " Bohr units",
                           lumo_density, None, 0.01),
        "benzene_f-.cub": (" Fukui function f- (HOMO density)", " Bohr units",
                           homo_density, None, 0.01),
        "benzene_DD.cub": (" Dual descriptor f+ minus f-", " Bohr units",
                           lambda p: lumo_density(p) - homo_density(p), None,
                           0.008),
        "benzene_elf.cub": (" Electron localization function", " Bohr units",
                            elf, None, None),
        "benzene_density.cub": (title, " Electron density from Total SCF Density",
                                density, None, None),
    }
    return {name: cube_text(c1, c2, f, mo, peak)
            for name, (c1, c2, f, mo, peak) in cubes.items()}


# ---------------------------------------------------------------------------
# README rendering (shared with check_fixtures.py)


def kept_items(contribs, threshold=DEFAULT_THRESHOLD):
    """The items the excited-state import writes for one state."""
    return [ct.item() for ct in contribs if abs(ct.coef) > threshold]


def render_facts(info):
    """Fact lines of one fixture from a plain dict; see check_fixtures.py.

    info keys: valid, lines, sections (list of (count, total text)),
    occ, virt (lists of floats), last (list of state dicts with n, label,
    ev, nm, f, s2, items (all contributions), kept), error (text or None).
    """
    out = ["| valid Gaussian output | %s |" % ("yes" if info["valid"] else "no"),
           "| lines | %d |" % info["lines"]]
    if not info["valid"]:
        return out
    sections = info["sections"]
    out.append("| TD sections | %d |" % len(sections))
    if sections:
        out.append("| states per section | %s |"
                   % ", ".join(str(n) for n, _ in sections))
        out.append("| Total Energy per section (as printed) | %s |"
                   % ", ".join(t for _, t in sections))
    occ, virt = info["occ"], info["virt"]
    if occ:
        h = len(occ)
        allv = occ + virt
        out.append("| orbitals read (occupied + virtual) | %d + %d = %d |"
                   % (h, len(virt), h + len(virt)))
        out.append("| HOMO index | %d |" % h)
        found = 0
        for label, idx in (("HOMO-1", h - 1), ("HOMO", h), ("LUMO", h + 1),
                           ("LUMO+1", h + 2)):
            if 1 <= idx <= len(allv):
                found += 1
                e = allv[idx - 1]
                out.append("| %s: orbital %d, hartree, notes text | %.5f, `%d = %.4f eV` |"
                           % (label, idx, e, idx, e * HARTREE_EV))
        out.append("| frontier energies stored (h-1, h, l, l+1) | %d |" % found)
    else:
        out.append("| orbitals read | 0 |")
        out.append("| frontier energies stored (h-1, h, l, l+1) | 0 |")
    if info.get("error"):
        out.append("| excited-state reading | fails: `%s` |" % info["error"])
        return out
    if sections:
        stored = 0
        for st in info["last"]:
            if int(st["n"]) > 10:
                break
            stored += 1
        out.append("| states imported (S1..S10 of the last section) | %d |" % stored)
    return out


def render_states(states):
    out = ["| state | mult-sym | eV | nm | f | <S**2> | contributions in log order |"
           " imported transitions (threshold 0.1) |",
           "|---|---|---|---|---|---|---|---|"]
    for st in states:
        out.append("| %s | %s | %s | %s | %s | %s | %s | %s |" % (
            st["n"], st["label"], st["ev"], st["nm"], st["f"], st["s2"],
            "<br>".join(st["items"]) or "(none)",
            "<br>".join(st["kept"]) or "(empty)"))
    return out


def fixture_info(fx):
    """The facts of a fixture from the data it was written from."""
    n_lines = fx.text.count("\n")
    info = {"valid": fx.valid, "lines": n_lines, "occ": fx.occ, "virt": fx.virt,
            "sections": [(len(s), t) for s, t in fx.sections], "last": [],
            "error": None}
    if fx.sections:
        for st in fx.sections[-1][0]:
            info["last"].append({
                "n": str(st.n), "label": "%s-%s" % (st.mult, st.sym),
                "ev": "%.4f" % st.ev, "nm": st.nm_text, "f": "%.4f" % st.f,
                "s2": "%.3f" % st.s2,
                "items": [ct.item() for ct in st.contribs],
                "kept": kept_items(st.contribs)})
    if fx.name in ("td_out_of_range.log", "td_label_out_of_range.log"):
        info["error"] = "stoi"
    return info


README_HEAD = """\
# Test data

Synthetic Gaussian 16 logs for the log reader and the end-to-end tests. They
are written by `make_fixture_logs.py` (which also writes `examples/benzene/`);
edit the script and run it again rather than editing the files by hand.
`check_fixtures.py` reads every file back with the line patterns of the
reader and checks the facts below.

Conventions of the tables:

- *orbitals read*: the alpha orbitals of the last eigenvalue block, numbered
  from 1 over the occupied and then the virtual ones. The notes text is the
  orbital number, " = ", the energy times 27.211386245988 with four decimals,
  and " eV".
- *states imported*: the states of the last TD section, up to the first one
  numbered above 10.
- *contributions in log order*: every contribution line of the state, written
  as the import writes them (from, arrow, to, "=", coefficient with five
  decimals; spin letters dropped). *imported transitions*: those whose
  absolute coefficient is strictly greater than 0.1, the default threshold;
  the items are joined with line feeds in the imported text (`<br>` here).
- nm, f and the coefficients are exactly the printed texts, so they are also
  the imported wavelength (2 decimals), oscillator strength (4 decimals) and
  coefficient (5 decimals) texts.
"""


def readme_section(fx, info, heading_level="##"):
    out = ["%s %s" % (heading_level, fx.name), "", fx.blurb, "",
           "| fact | value |", "|---|---|"]
    out += render_facts(info)
    out.append("")
    for note in fx.notes:
        out.append("- " + note)
    if fx.notes:
        out.append("")
    if fx.sections and fx.name not in ("td_out_of_range.log",):
        out.append("Last TD section:")
        out.append("")
        out += render_states(info["last"])
        out.append("")
    elif fx.sections:
        out.append("States as printed (never stored):")
        out.append("")
        out += render_states(info["last"])
        out.append("")
    return out


def readme(fixtures, example):
    out = [README_HEAD]
    for fx in fixtures:
        out += readme_section(fx, fixture_info(fx))
    out += ["## examples/benzene/benzene.log", "",
            "The log of the bundled example directory (`examples/benzene/`), "
            "listed here because the end-to-end tests may use it.", ""]
    sec = readme_section(example, fixture_info(example))
    out += sec[2:]
    return "\n".join(out).rstrip("\n") + "\n"


# ---------------------------------------------------------------------------


def write(path, text, crlf=False):
    data = text.replace("\n", "\r\n") if crlf else text
    with open(path, "w", encoding="utf-8", newline="") as handle:
        handle.write(data)


def all_fixtures():
    return [td_single_point(), opt_td(), unrestricted_td(), td_crlf(),
            ground_state(), not_gaussian(), no_orbitals_td(), td_out_of_range(),
            td_label_out_of_range()]


def main():
    fixtures = all_fixtures()
    for fx in fixtures:
        write(os.path.join(HERE, fx.name), fx.text, fx.crlf)
    example = benzene_log()
    os.makedirs(EXAMPLE_DIR, exist_ok=True)
    write(os.path.join(EXAMPLE_DIR, "benzene.log"), example.text)
    for name, text in benzene_cubes().items():
        write(os.path.join(EXAMPLE_DIR, name), text)
    write(os.path.join(HERE, "README.md"), readme(fixtures, example))


if __name__ == "__main__":
    main()
