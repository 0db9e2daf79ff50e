#!/usr/bin/env python3
"""Writes a synthetic Gaussian 16 "opt td" log of a requested size.

Every optimisation step carries what Gaussian prints for a TD-DFT geometry
optimisation: input and standard orientation, SCF energy, the TD section
(transition-moment tables, the excited states with their orbital
contributions, the total energy of the root), the population analysis
(alpha eigenvalues, Mulliken charges), forces, the Berny step table and
the convergence table.  After the last step come "Optimization completed",
the final population analysis and "Normal termination".

Beside the log it writes LOG.expected.json: what nodara-config must report
for that log with its default threshold of 0.1 (states S1..S10 of the last
TD section, HOMO-1, HOMO, LUMO and LUMO+1 of the last eigenvalue block).

The output depends only on the arguments: same size, seed and options give
the same bytes.

  generate_opt_td_log.py --size-mib 100 --seed 1 -o bench/cache/opt_td.log
"""

import argparse
import json
import math
import os
import random
import sys

HARTREE_EV = 27.211386245988
HC_EV_NM = 1239.84193
THRESHOLD = 0.1
REPORTED_STATES = 10
MAX_STEPS = 999999

# Atomic number: symbol, 6-31G(d) basis functions, core orbital energies
# (hartree, B3LYP-like), mean Mulliken charge.
ELEMENTS = {
    1: ("H", 2, [], 0.12),
    6: ("C", 15, [-10.19], -0.05),
    7: ("N", 15, [-14.33], -0.48),
    8: ("O", 15, [-19.14], -0.52),
    16: ("S", 19, [-88.90, -7.97, -5.93, -5.93, -5.93], 0.31),
    17: ("Cl", 19, [-101.57, -9.49, -7.25, -7.25, -7.25], -0.07),
    35: ("Br", 33, [-482.84, -62.39, -56.21, -56.21, -56.21, -8.56, -6.43,
                    -6.43, -6.43, -2.48, -2.48, -2.48, -2.48, -2.48], -0.04),
}

DASHES = " " + "-" * 69
HEADER_LINK_TIME = (" Leave Link  %3d at %s, MaxMem=  1073741824 cpu:"
                    "%18.1f elap:%18.1f")


class Molecule:
    """Atoms of the model compound, its electrons and basis size."""

    def __init__(self, rng):
        natoms = rng.randint(40, 60)
        heavy = [35, 35, 16] + [7] * rng.randint(2, 4) + [8] * rng.randint(1, 3)
        if rng.random() < 0.5:
            heavy.append(17)
        heavy += [6] * (int(natoms * 0.56) - len(heavy))
        rng.shuffle(heavy)
        self.numbers = heavy + [1] * (natoms - len(heavy))
        if sum(self.numbers) % 2:
            self.numbers.append(1)
        self.electrons = sum(self.numbers)
        self.nocc = self.electrons // 2
        self.nbasis = sum(ELEMENTS[z][1] for z in self.numbers)
        self.coords = self._geometry(rng, len(heavy))

    def _geometry(self, rng, nheavy):
        """Heavy atoms on a slightly puckered hexagonal sheet; each H on
        the outside of one of the outermost heavy atoms."""
        sites = []
        for row in range(-6, 7):
            for col in range(-6, 7):
                sites.append((1.40 * col + (0.70 if row % 2 else 0.0),
                              1.212 * row))
        sites.sort(key=lambda p: p[0] * p[0] + 1.6 * p[1] * p[1])
        coords = [[x, y, rng.uniform(-0.25, 0.25)] for x, y in sites[:nheavy]]
        outer = coords[::-1]
        for k in range(len(self.numbers) - nheavy):
            base = outer[k % nheavy]
            norm = math.hypot(base[0], base[1]) or 1.0
            lift = 0.0 if k < nheavy else (0.89 if k % 2 else -0.89)
            coords.append([base[0] + 1.09 * base[0] / norm,
                           base[1] + 1.09 * base[1] / norm,
                           base[2] + lift])
        return coords

    def symbol(self, i):
        return ELEMENTS[self.numbers[i]][0]


def orbital_ladder(rng, mol):
    """Ground-state alpha orbital energies: occupied then virtual."""
    core = sorted(e for z in mol.numbers for e in ELEMENTS[z][2])
    nval = mol.nocc - len(core)
    homo = rng.uniform(-0.235, -0.205)
    valence = [homo - 0.03 * (k < nval - 1)
               - 0.9 * (1.0 - k / (nval - 1)) ** 1.15 for k in range(nval)]
    nvirt = mol.nbasis - mol.nocc
    lumo = rng.uniform(-0.085, -0.055)
    virtual = [lumo + 0.025 * (k > 0) + 4.3 * (k / (nvirt - 1)) ** 1.5
               for k in range(nvirt)]
    return core + valence, virtual


class StateTemplate:
    """One excited state's character, kept through the optimisation."""

    def __init__(self, rng, mol, energy_ev):
        self.energy_ev = energy_ev
        self.bright = rng.random() < 0.4
        ncontrib = rng.randint(3, 15)
        pairs = set()
        while len(pairs) < ncontrib:
            pairs.add((mol.nocc - int(rng.expovariate(0.35)),
                       mol.nocc + 1 + int(rng.expovariate(0.35)),
                       "<-" if rng.random() < 0.15 else "->"))
        sizes = []
        for k, (fr, to, arrow) in enumerate(sorted(pairs)):
            if arrow == "<-":
                size = rng.uniform(0.02, 0.13)
            elif k == 0 or rng.random() < 0.25:
                size = rng.uniform(0.3, 0.69)
            else:
                size = rng.uniform(0.01, 0.3)
            sign = -1.0 if rng.random() < 0.3 else 1.0
            sizes.append((fr, arrow, to, sign * size))
        # Excitation amplitudes of a singlet add up to about 1/2.
        norm = sum(c * c for _, arrow, _, c in sizes if arrow == "->")
        scale = min(1.0, math.sqrt(0.49 / norm))
        self.contribs = [(fr, arrow, to, c * scale if arrow == "->" else c)
                         for fr, arrow, to, c in sizes]


class OptTdLog:
    """Writes the log step by step and remembers the last reported values."""

    def __init__(self, seed, eigenvalues, out):
        self.rng = random.Random(seed)
        # Cheap zero-mean noise of standard deviation `sigma`.
        rand = self.rng.random
        self.noise = lambda sigma: (rand() - 0.5) * 3.4641016 * sigma
        self.every_step_eigenvalues = eigenvalues == "every"
        self.out = out
        self.written = 0
        self.mol = Molecule(self.rng)
        self.occ, self.virt = orbital_ladder(self.rng, self.mol)
        self.nstates = self.rng.randint(10, 20)
        energies = [self.rng.uniform(2.4, 3.3)]
        for _ in range(self.nstates - 1):
            energies.append(energies[-1] + self.rng.uniform(0.03, 0.35))
        self.templates = [StateTemplate(self.rng, self.mol, e) for e in energies]
        self.scf_energy = -self.rng.uniform(5900.0, 6900.0)
        self.step = 0
        self.step_orbitals = None
        self.last_states = []
        self.last_occ = []
        self.last_virt = []

    # -- output ---------------------------------------------------------
    def emit(self, lines):
        text = "\n".join(lines) + "\n"
        self.out.write(text)
        self.written += len(text)

    def clock(self):
        minutes = 12 + self.step * 3
        return "Wed Dec 11 %02d:%02d:%02d 2024" % (
            (9 + minutes // 60) % 24, minutes % 60, (self.step * 17) % 60)

    def leave(self, link, cpu):
        return HEADER_LINK_TIME % (link, self.clock(), cpu, cpu / 7.8)

    # -- job header -----------------------------------------------------
    def header(self):
        mol = self.mol
        route = (" #p opt(maxcycles=%d) td(nstates=%d,root=1) b3lyp/6-31g(d)"
                 " scf=tight" % (MAX_STEPS, self.nstates))
        lines = [
            " Entering Gaussian System, Link 0=g16",
            " Input=dye_opt_td.gjf",
            " Output=dye_opt_td.log",
            " Initial command:",
            ' /apps/g16/l1.exe "/scratch/bench/Gau-41873.inp"'
            ' -scrdir="/scratch/bench/"',
            " Entering Link 1 = /apps/g16/l1.exe PID=     41874.",
            "  ",
            " Copyright (c) 1988-2019, Gaussian, Inc.  All Rights Reserved.",
            "  ",
            " This is part of the Gaussian(R) 16 program.  It is based on",
            " the Gaussian(R) 09 system (copyright 2009, Gaussian, Inc.),",
            " the Gaussian(R) 03 system (copyright 2003, Gaussian, Inc.),",
            "  ",
            " Cite this work as:",
            " Gaussian 16, Revision C.01,",
            " M. J. Frisch, G. W. Trucks, H. B. Schlegel, G. E. Scuseria,",
            " Gaussian, Inc., Wallingford CT, 2016.",
            " ",
            " ******************************************",
            " Gaussian 16:  ES64L-G16RevC.01  3-Jul-2019",
            "                11-Dec-2024 ",
            " ******************************************",
            " %chk=dye_opt_td.chk",
            " %mem=16GB",
            " %nprocshared=16",
            " Will use up to   16 processors via shared memory.",
            " " + "-" * (len(route) - 1),
            route,
            " " + "-" * (len(route) - 1),
            " 1/18=20,19=15,38=1/1,3;",
            " 2/9=110,12=2,17=6,18=5,40=1/2;",
            " 3/5=1,6=6,7=1,11=2,25=1,30=1,71=1,74=-5/1,2,3;",
            " 4//1;",
            " 5/5=2,32=2,38=5/2;",
            " 8/6=4,10=90,11=11,108=1/1;",
            " 9/41=%d,42=1,48=1,49=1/14;" % self.nstates,
            " 10/5=1,13=1,31=1/2;",
            " 6/7=2,8=2,9=2,10=2/1;",
            " 7/30=1/1,2,3,16;",
            " 1/18=20,19=15/3(2);",
            " 2/9=110/2;",
            " 99//99;",
            " -------------------",
            " dye opt td b3lyp",
            " -------------------",
            " Symbolic Z-matrix:",
            " Charge =  0 Multiplicity = 1",
        ]
        for i, (x, y, z) in enumerate(mol.coords):
            lines.append(" %-21s%10.5f%14.5f%14.5f " % (mol.symbol(i), x, y, z))
        lines += [" ", " GradGradGradGradGradGradGradGradGradGradGradGradGradGradGradGradGradGrad",
                  " Berny optimization.", " Initialization pass.",
                  " Trust Radius=3.00D-01 FncErr=1.00D-07 GrdErr=1.00D-06 EigMax=2.50D+02 EigMin=1.00D-04",
                  " Number of steps in this run=%7d maximum allowed number of steps=%7d."
                  % (MAX_STEPS, MAX_STEPS),
                  " GradGradGradGradGradGradGradGradGradGradGradGradGradGradGradGradGradGrad"]
        self.emit(lines)

    # -- one optimisation step -----------------------------------------
    def amplitude(self):
        """Geometry changes shrink as the optimisation converges."""
        return 0.02 * math.exp(-self.step / 40.0) + 0.0004

    def orientation(self, kind):
        mol = self.mol
        lines = ["                          %s orientation:" % kind,
                 DASHES,
                 " Center     Atomic      Atomic             Coordinates (Angstroms)",
                 " Number     Number       Type             X           Y           Z",
                 DASHES]
        for i, (x, y, z) in enumerate(mol.coords):
            lines.append("%7d%11d%12d%16.6f%12.6f%12.6f"
                         % (i + 1, mol.numbers[i], 0, x, y, z))
        lines.append(DASHES)
        return lines

    def move_atoms(self):
        amp = self.amplitude()
        noise = self.noise
        for c in self.mol.coords:
            c[0] += noise(amp)
            c[1] += noise(amp)
            c[2] += noise(amp)

    def scf(self):
        mol = self.mol
        amp = self.amplitude()
        self.scf_energy -= abs(self.noise(amp * 0.05))
        cycles = self.rng.randint(8, 17)
        return [
            " (Enter /apps/g16/l301.exe)",
            " Standard basis: 6-31G(d) (6D, 7F)",
            " Ernie: Thresh=  0.10000D-02 Tol=  0.10000D-05 Strict=F.",
            " %6d basis functions, %6d primitive gaussians, %6d cartesian basis functions"
            % (mol.nbasis, mol.nbasis * 2 - 4, mol.nbasis),
            " %8d alpha electrons %8d beta electrons" % (mol.nocc, mol.nocc),
            "       nuclear repulsion energy %21.10f Hartrees."
            % (4100.0 + 30.0 * math.sin(self.step * 0.37)),
            " (Enter /apps/g16/l502.exe)",
            " Closed shell SCF:",
            " Using DIIS extrapolation, IDIIS=  1040.",
            " Integral accuracy reduced to 1.0D-05 until final iterations.",
            " Initial convergence to 1.0D-05 achieved.  Increase integral accuracy.",
            " SCF Done:  E(RB3LYP) =  %.8f     A.U. after %4d cycles"
            % (self.scf_energy, cycles),
            "            NFock=%3d  Conv=0.%02dD-08     -V/T= 2.0061"
            % (cycles, self.rng.randint(10, 99)),
            self.leave(502, 301.7 + self.step),
        ]

    def excited_states(self):
        """Energies, strengths and contributions of this step's states."""
        amp = self.amplitude()
        rng = self.rng
        states = []
        for t in self.templates:
            ev = t.energy_ev + self.noise(amp)
            f = rng.uniform(0.15, 1.2) if t.bright else rng.uniform(0.0, 0.009)
            phase = -1.0 if rng.random() < 0.5 else 1.0
            contribs = []
            for fr, arrow, to, coef in t.contribs:
                value = phase * (coef + self.noise(amp * 0.5))
                contribs.append((fr, arrow, to, value))
            states.append((ev, f, contribs))
        return states

    def moment_tables(self, states):
        rng = self.rng
        elec, vel, mag = [], [], []
        for k, (ev, f, _) in enumerate(states, 1):
            e_h = ev / HARTREE_EV
            dip = 1.5 * f / e_h
            share = rng.random()
            x = math.sqrt(dip * share)
            y = math.sqrt(dip * (1.0 - share) * 0.9)
            z = math.sqrt(dip * (1.0 - share) * 0.1)
            elec.append("%10d%15.4f%12.4f%12.4f%12.4f%12.4f" % (k, x, -y, z, dip, f))
            px, py, pz = 0.93 * e_h * x, -0.93 * e_h * y, 0.93 * e_h * z
            ps = px * px + py * py + pz * pz
            vel.append("%10d%15.4f%12.4f%12.4f%12.4f%12.4f"
                       % (k, px, py, pz, ps, 2.0 * ps / (3.0 * e_h)))
            mag.append("%10d%15.4f%12.4f%12.4f"
                       % (k, rng.uniform(-0.3, 0.3), rng.uniform(-0.3, 0.3),
                          rng.uniform(-0.9, 0.9)))
        head = "       state          X           Y           Z        Dip. S.      Osc."
        return ([" Ground to excited state transition electric dipole moments (Au):",
                 head] + elec
                + [" Ground to excited state transition velocity dipole moments (Au):",
                   head] + vel
                + [" Ground to excited state transition magnetic dipole moments (Au):",
                   "       state          X           Y           Z"] + mag)

    def td_section(self):
        mol = self.mol
        states = self.excited_states()
        lines = [
            " (Enter /apps/g16/l914.exe)",
            " MDV=  2147483648 DFT=T DoStab=F Mixed=T DoRPA=T DoScal=F NonHer=F",
            " Range of M.O.s used for correlation:     1 %5d" % mol.nbasis,
            " NBasis=%6d NAE=%6d NBE=%6d NFC=     0 NFV=     0"
            % (mol.nbasis, mol.nocc, mol.nocc),
            " NROrb=%6d NOA=%6d NOB=%6d NVA=%6d NVB=%6d"
            % (mol.nbasis, mol.nocc, mol.nocc, mol.nbasis - mol.nocc,
               mol.nbasis - mol.nocc),
            " Davidson Disk Diagonalization:  ConvIn= 1.00D-04 SkipCon=T Conv= 1.00D-05.",
            " Convergence achieved on expansion vectors.",
            " ***********************************************************************",
            " Excited states from <AA,BB:AA,BB> singles matrix:",
            " ***********************************************************************",
            " ",
            " 1PDM for each excited state written to RWF  633",
            " Ground to excited state transition densities written to RWF  633",
        ]
        lines += self.moment_tables(states)
        lines += [" ", " Excitation energies and oscillator strengths:", " "]
        reported = []
        for k, (ev, f, contribs) in enumerate(states, 1):
            nm = "%.2f" % (HC_EV_NM / round(ev, 4))
            lines.append(" Excited State %3d:      %-13s%8.4f eV %7s nm  f=%.4f"
                         "  <S**2>=0.000" % (k, "Singlet-A", ev, nm, f))
            items = []
            for fr, arrow, to, coef in contribs:
                text = "%.5f" % coef
                lines.append("%8d %s %-3d%15s" % (fr, arrow, to, text))
                if abs(float(text)) > THRESHOLD:
                    items.append("%d%s%d=%s" % (fr, arrow, to, text))
            if k == 1:
                lines += [" This state for optimization and/or second-order correction.",
                          " Total Energy, E(TD-HF/TD-DFT) = %16.8f"
                          % (self.scf_energy + ev / HARTREE_EV),
                          " Copying the excited state density for this state as the"
                          " 1-particle RhoCI density."]
            lines.append(" ")
            if k <= REPORTED_STATES:
                reported.append({"label": "S%d" % k, "wavelength": nm,
                                 "f": "%.4f" % f, "transitions": items})
        lines += [" SavETr:  write IOETrn=   770 NScale= 10 NData=  16 NLR=1"
                  " NState=%5d LETran=     %d." % (self.nstates, 19 * self.nstates + 2),
                  self.leave(914, 1012.4 + self.step)]
        self.last_states = reported
        return lines

    def current_orbitals(self):
        amp = self.amplitude() * 0.2
        noise = self.noise
        occ = sorted(e + noise(amp) for e in self.occ)
        virt = sorted(e + noise(amp) for e in self.virt)
        return occ, virt

    def population(self, with_eigenvalues):
        lines = [" (Enter /apps/g16/l601.exe)",
                 " Copying SCF densities to generalized density rwf, IOpCl= 0 IROHF=0."]
        if with_eigenvalues:
            # Orbitals are drawn once per step, so the final population
            # repeats the last step's values.
            if self.step_orbitals is None:
                self.step_orbitals = self.current_orbitals()
            occ, virt = self.step_orbitals
            lines += [" ",
                      " **********************************************************************",
                      " ",
                      "            Population analysis using the SCF Density.",
                      " ",
                      " **********************************************************************",
                      " ",
                      " Orbital symmetries:",
                      " The electronic state is 1-A."]
            occ_text = eigenvalue_lines(lines, " Alpha  occ. eigenvalues -- ", occ)
            virt_text = eigenvalue_lines(lines, " Alpha virt. eigenvalues -- ", virt)
            lines.append("          Condensed to atoms (all electrons):")
            self.last_occ, self.last_virt = occ_text, virt_text
        lines += self.mulliken()
        lines.append(self.leave(601, 2.1))
        return lines

    def mulliken(self):
        mol = self.mol
        noise = self.noise
        lines = [" Mulliken charges:", "               1"]
        charges = [ELEMENTS[z][3] + noise(0.02) for z in mol.numbers]
        mean = sum(charges) / len(charges)
        for i, q in enumerate(charges):
            lines.append("%6d  %-2s%12.6f" % (i + 1, mol.symbol(i), q - mean))
        lines += [" Sum of Mulliken charges =   0.00000",
                  " Electronic spatial extent (au):  <R**2>=%14.4f"
                  % (41000.0 + 50.0 * math.cos(self.step)),
                  " Dipole moment (field-independent basis, Debye):",
                  "    X=%15.4f    Y=%15.4f    Z=%15.4f  Tot=%15.4f"
                  % (1.2345, -3.4567, 0.0123, 3.6710)]
        return lines

    def forces(self):
        mol = self.mol
        amp = self.amplitude() * 0.4
        noise = self.noise
        lines = [" (Enter /apps/g16/l716.exe)",
                 " ***** Axes restored to original set *****",
                 " -------------------------------------------------------------------",
                 " Center     Atomic                   Forces (Hartrees/Bohr)",
                 " Number     Number              X              Y              Z",
                 " -------------------------------------------------------------------"]
        peak = 0.0
        for i, z in enumerate(mol.numbers):
            fx, fy, fz = noise(amp), noise(amp), noise(amp)
            peak = max(peak, abs(fx), abs(fy), abs(fz))
            lines.append("%7d%9d%22.9f%15.9f%15.9f" % (i + 1, z, fx, fy, fz))
        lines += [" -------------------------------------------------------------------",
                  " Cartesian Forces:  Max %15.9f RMS %15.9f" % (peak, peak * 0.31)]
        return lines, peak

    def berny(self):
        """Berny step: the internal-coordinate table."""
        rng = self.rng
        amp = self.amplitude()
        lines = [" GradGradGradGradGradGradGradGradGradGradGradGradGradGradGradGradGradGrad",
                 " Berny optimization.",
                 " Using GEDIIS/GDIIS optimizer.",
                 " Search for a local minimum.",
                 " Step number %3d out of a maximum of %4d" % (self.step, MAX_STEPS),
                 " RFO step:  Lambda=-%.8fD-04 EMin= %.8fD-03"
                 % (rng.uniform(1.0, 9.0), rng.uniform(1.0, 9.0)),
                 " Iteration  1 RMS(Cart)=  %.8f RMS(Int)=  %.8f" % (amp * 0.2, amp * 0.05),
                 " Variable       Old X    -DE/DX   Delta X   Delta X   Delta X     New X",
                 "                                 (Linear)    (Quad)   (Total)"]
        natoms = len(self.mol.numbers)
        for kind, count, base, spread in (("R", natoms + 4, 2.6, 0.0007),
                                          ("A", natoms + 12, 2.09, 0.0004)):
            for k in range(1, count + 1):
                old = base + spread * ((k * 37) % 100)
                d = self.noise(amp * 0.1)
                lines.append("    %s%-5d%12.5f%10.5f%10.5f%10.5f%10.5f%10.5f"
                             % (kind, k, old, -d * 0.3, 0.0, d, d, old + d))
        return lines

    def convergence(self, peak, final):
        amp = self.amplitude()
        values = (peak, peak * 0.3, amp * 0.4, amp * 0.12)
        limits = (0.000450, 0.000300, 0.001800, 0.001200)
        names = (" Maximum Force     ", " RMS     Force     ",
                 " Maximum Displacement", " RMS     Displacement")
        lines = ["         Item               Value     Threshold  Converged?"]
        for name, v, lim in zip(names, values, limits):
            if final:
                v = min(v, lim * 0.5)
            ok = "YES" if v < lim else "NO "
            lines.append("%-21s%11.6f%13.6f     %s" % (name, v, lim, ok))
        lines.append(" Predicted change in Energy=-%.6fD-%02d"
                     % (self.rng.uniform(1.0, 9.9), 4 + min(self.step // 20, 4)))
        if final:
            lines += [" Optimization completed.", "    -- Stationary point found."]
        else:
            lines.append(" GradGradGradGradGradGradGradGradGradGradGradGradGradGradGradGradGradGrad")
        return lines

    def step_body(self):
        """Everything of one step up to the convergence table."""
        self.step += 1
        if self.step > 1:
            self.move_atoms()
        lines = [" (Enter /apps/g16/l202.exe)"]
        lines += self.orientation("Input")
        lines += self.orientation("Standard")
        self.step_orbitals = None
        lines.append(" Rotational constants (GHZ):%15.7f%15.7f%15.7f"
                     % (0.1234567, 0.0456789, 0.0345678))
        lines += self.scf()
        lines += self.td_section()
        lines += self.population(self.every_step_eigenvalues or self.step == 1)
        force_lines, peak = self.forces()
        lines += force_lines
        lines += self.berny()
        return lines, peak

    def final_part(self):
        """After convergence: orientation, final population, termination."""
        lines = ["                           ----------------------------",
                 "                           !   Optimized Parameters   !",
                 "                           ! (Angstroms and Degrees)  !",
                 " --------------------------                            --------------------------",
                 " GradGradGradGradGradGradGradGradGradGradGradGradGradGradGradGradGradGrad",
                 " (Enter /apps/g16/l202.exe)"]
        lines += self.orientation("Standard")
        lines += self.population(True)
        lines += [" (Enter /apps/g16/l9999.exe)",
                  " 1\\1\\GINC-NODE17\\FOpt\\RB3LYP\\6-31G(d)\\C%dH%d\\BENCH\\11-Dec-2024\\0"
                  % (self.mol.numbers.count(6), self.mol.numbers.count(1)),
                  " \\\\#p opt(maxcycles=%d) td(nstates=%d,root=1) b3lyp/6-31g(d)"
                  "\\\\dye opt td\\\\0,1\\@" % (MAX_STEPS, self.nstates),
                  " Job cpu time:       0 days 17 hours 12 minutes 33.4 seconds.",
                  " Elapsed time:       0 days  2 hours 13 minutes  5.1 seconds.",
                  " Normal termination of Gaussian 16 at %s." % self.clock()]
        return lines

    def write(self, target_bytes):
        self.header()
        step_size = 0
        while True:
            before = self.written
            lines, peak = self.step_body()
            text_size = sum(len(l) + 1 for l in lines)
            final = self.written + text_size + 2 * step_size >= target_bytes
            lines += self.convergence(peak, final)
            self.emit(lines)
            step_size = max(step_size, self.written - before)
            if final:
                break
        self.emit(self.final_part())

    def expected(self):
        nocc = len(self.last_occ)
        orbitals = {}
        for key, index in (("h-1", nocc - 1), ("h", nocc), ("l", nocc + 1),
                           ("l+1", nocc + 2)):
            text = (self.last_occ + self.last_virt)[index - 1]
            orbitals[key] = {"index": index, "energy_hartree": text}
        return {"steps": self.step, "bytes": self.written, "threshold": THRESHOLD,
                "states": self.last_states, "orbitals": orbitals}


def eigenvalue_lines(lines, head, values):
    """Appends Gaussian's 5F10.5 eigenvalue lines; returns the printed values."""
    texts = ["%10.5f" % v for v in values]
    for i in range(0, len(texts), 5):
        lines.append(head + "".join(texts[i:i + 5]))
    return [t.strip() for t in texts]


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--size-mib", type=float, required=True,
                        help="approximate size of the log in MiB")
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--eigenvalues", choices=("every", "first-last"),
                        default="every",
                        help="print the eigenvalue block at every step (#p) or"
                             " only at the first step and after convergence")
    parser.add_argument("-o", "--output", required=True, help="log file to write")
    args = parser.parse_args()

    target = int(args.size_mib * 1024 * 1024)
    tmp = args.output + ".part"
    with open(tmp, "w", encoding="ascii", newline="\n", buffering=1 << 22) as out:
        log = OptTdLog(args.seed, args.eigenvalues, out)
        log.write(target)
    expected = log.expected()
    expected["log"] = os.path.basename(args.output)
    expected["seed"] = args.seed
    expected["eigenvalues"] = args.eigenvalues
    with open(args.output + ".expected.json", "w", encoding="utf-8") as f:
        json.dump(expected, f, indent=1)
        f.write("\n")
    os.replace(tmp, args.output)
    print("%s: %d bytes, %d steps" % (args.output, log.written, log.step))


if __name__ == "__main__":
    sys.exit(main())
