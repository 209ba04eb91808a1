#!/usr/bin/python3
"""Reference curves for the response-curve tests.

Every filter section is derived here from its analogue prototype (s
normalised to the section frequency) by the bilinear transform at
fs = 1/(2K), K = tan(pi f / 96000), on the graph's 4096-point grid. Crossover cuts are the products of their stages, each stage
built the same way from the design rows. Nothing here reuses the editor's
digital formulas.

Output (two text files in the target directory, default: next to this
script): one line per curve,
  section NAME TYPE FREQ GAIN Q SHAPE1 SHAPE2 MODE v...
  xover NAME HP|LP SLOPE FREQ MODE v...
with MODE "mag" (dB) or "phase" (units of 10 degrees) and the values at the
grid points listed on the first line ("points p..."). Needs python3-scipy.
"""
import math
import os
import sys

import numpy as np
from scipy import signal

FS = 96000.0
POINTS = 4096
PHASE_SCALE = 18.0 / math.pi
# Frequencies of the reference sections and cuts (index 0, 170 and 300 of
# the frequency scale for the cuts).
SECTION_FREQUENCIES = (19.7, 1000.0, 20160.0)
XOVER_FREQUENCIES = [1000.0 * (2.0 ** (1.0 / 30.0)) ** (i - 170) for i in (0, 170, 300)]
# Every 32nd point, and every point within 20 of each frequency: a Q 128
# peak is about three points wide, so a sparse grid alone would miss it.
NEAR = 20


def sample_points():
    points = set(range(0, POINTS, 32)) | {POINTS - 1}
    for f in SECTION_FREQUENCIES + tuple(XOVER_FREQUENCIES):
        centre = round(math.log10(f) / math.log10(48000.0) * POINTS)
        points |= set(range(max(0, centre - NEAR), min(POINTS, centre + NEAR + 1)))
    return sorted(points)


SAMPLE_POINTS = sample_points()

# The grid: f(p) = 10^(log10(48000) p / 4096), w = f pi / 48000.
P = np.arange(POINTS)
W = 10.0 ** (math.log10(48000.0) * P / POINTS) * math.pi / 48000.0


def f32(x):
    """Crossover shape values are single precision in the editor."""
    return float(np.float32(x))


def prototype(code, g, q, c1, c2):
    """(numerator, denominator) of the analogue prototype, highest power first."""
    v = 10.0 ** (abs(g) / 20.0)
    sv = math.sqrt(v)
    cut = not (g >= 0)
    table = {
        1: ([1, 1 / q, 1], [1, v / q, 1]) if cut else ([1, v / q, 1], [1, 1 / q, 1]),
        2: ([1, 1 / q, 1], [1, sv / q, v]) if cut else ([1, sv / q, v], [1, 1 / q, 1]),
        3: ([1, 1 / q, 1], [v, sv / q, 1]) if cut else ([v, sv / q, 1], [1, 1 / q, 1]),
        4: ([1, 0, 0], [1, 1 / q, 1]),
        5: ([1], [1, 1 / q, 1]),
        6: ([2 / q, 0], [1, 1 / q, 1]),
        7: ([1, -1], [1, 1]),
        8: ([1], [1, 1]),
        9: ([-1, 0], [1, 1]),
        10: ([1], [1]),
        11: ([1], [c1, 1]),
        12: ([1], [1, c1, 1]),
        13: ([1], [c2, c1, 1]),
        14: ([1, 0], [1, c1]),
        15: ([1, 0, 0], [1, c1, 1]),
        16: ([1, 0, 0], [1, c1, c2]),
        17: ([1, -1 / q, 1], [1, 1 / q, 1]),
    }
    return table[code]


def response(code, f0, g, q, c1, c2):
    """Complex response on the grid of the section made by the bilinear
    transform s = (1/K)(1 - z^-1)/(1 + z^-1). The transform maps the digital
    frequency w onto the analogue frequency tan(w/2)/K exactly, so the curve
    is the prototype's response there (free of the cancellation that a
    digital evaluation suffers far down a stop band); the digital design by
    scipy's bilinear and freqz must agree with it."""
    k = math.tan(math.pi * f0 / FS)
    b, a = prototype(code, g, q, c1, c2)
    h = signal.freqs(b, a, worN=np.tan(W / 2.0) / k)[1]
    bd, ad = signal.bilinear(b, a, fs=1.0 / (2.0 * k))
    hd = signal.freqz(bd / ad[0], ad / ad[0], worN=W)[1]
    off = np.abs(20.0 * np.log10(np.abs(hd) / np.abs(h)))
    if not np.all(off <= 1e-5 + 1e-8 * np.abs(20.0 * np.log10(np.abs(h)))):
        raise SystemExit("bilinear design and prototype disagree: type %d at %g Hz" % (code, f0))
    return h


def magnitude(h):
    return 20.0 * np.log10(np.abs(h))


def phase(code, h):
    """Phase as the graph shows it: the filter's phase within -18..18 units.
    The first-order high-pass (code 9) carries an inverted sign in its
    design and is shown as the plain high-pass s/(s+1)."""
    return np.angle(-h if code == 9 else h) * PHASE_SCALE


# Crossover design rows as the editor's tables hold them.
BUTTERWORTH = [
    [1.0, 0, 0, 0, 0], [0, 1.4142, 0, 0, 0], [1.0, 1.0, 0, 0, 0], [0, 0.7654, 1.8478, 0, 0],
    [1.0, 0.618, 1.618, 0, 0], [0, 0.5176, 1.4142, 1.9319, 0], [1.0, 0.445, 1.247, 1.8019, 0],
    [0, 0.3902, 1.1111, 1.6629, 1.9616],
]
BESSEL = [  # first order, then (c1, c2) pairs of 1/(c2 s^2 + c1 s + 1)
    (1.0, []), (0, [(1.3617, 0.618)]), (0.756, [(0.9996, 0.4772)]),
    (0, [(1.3397, 0.4889), (0.7743, 0.389)]), (0.6656, [(1.1402, 0.4128), (0.6216, 0.3245)]),
    (0, [(1.2217, 0.3887), (0.9686, 0.3505), (0.5131, 0.2756)]),
    (0.5937, [(1.0944, 0.3395), (0.8304, 0.3011), (0.4332, 0.2381)]),
    (0, [(1.1112, 0.3126), (0.9754, 0.2979), (0.7202, 0.2621), (0.3728, 0.2087)]),
]
ROW_OF_SLOPE = [0, 1, 9, 2, 10, 17, 3, 11, 4, 12, 18, 5, 13, 6, 14, 19, 7, 15, 8, 16, 20]
SLOPE_NAMES = ["bypass", "BW-6", "BL-6", "BW-12", "BL-12", "LK-12", "BW-18", "BL-18", "BW-24", "BL-24",
               "LK-24", "BW-30", "BL-30", "BW-36", "BL-36", "LK-36", "BW-42", "BL-42", "BW-48", "BL-48",
               "LK-48"]


def stages(high_pass, slope):
    """(code, c1, c2) of every active stage of a cut."""
    first, second, bessel = (14, 15, 16) if high_pass else (11, 12, 13)
    row = ROW_OF_SLOPE[slope]
    if row == 0:
        return []
    if 1 <= row <= 8:
        r = BUTTERWORTH[row - 1]
        out = [(first, 1.0, 0.0)] if r[0] == 1.0 else []
        return out + [(second, d, 0.0) for d in r[1:] if d != 0]
    if 9 <= row <= 16:
        c, pairs = BESSEL[row - 9]
        out = [(first, c, 0.0)] if c != 0 else []
        return out + [(bessel, c1, c2) for c1, c2 in pairs]
    lk = {17: [(first, 1.0)] * 2, 18: [(second, 1.4142)] * 2,
          19: [(first, 1.0)] * 2 + [(second, 1.0)] * 2,
          20: [(second, 1.8478)] * 2 + [(second, 0.7654)] * 2}[row]
    return [(code, c, 0.0) for code, c in lk]


def fmt(values):
    return " ".join("%.12e" % values[p] for p in SAMPLE_POINTS)


def section_cases():
    freqs = SECTION_FREQUENCIES
    for code in (1, 2, 3):
        for f0 in freqs:
            for g in (-12.0, -3.0, 0.0, 12.0):
                for q in (0.4, 8.65, 128.0):
                    yield code, f0, g, q, 1.0, 1.0
    for code in (4, 5, 6, 17):
        for f0 in freqs:
            for q in (0.4, 0.71, 8.65, 128.0):
                yield code, f0, 0.0, q, 1.0, 1.0
    for code in (7, 8, 9, 10):
        for f0 in freqs:
            yield code, f0, 0.0, 0.71, 1.0, 1.0
    for code in (11, 12, 13, 14, 15, 16):
        for f0 in freqs:
            for c1, c2 in ((1.0, 1.0), (1.3617, 0.618), (0.756, 1.0)):
                yield code, f0, 0.0, 0.71, f32(c1), f32(c2)


def main():
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    header = "points " + " ".join(str(p) for p in SAMPLE_POINTS) + "\n"

    lines = [header]
    for n, (code, f0, g, q, c1, c2) in enumerate(section_cases()):
        h = response(code, f0, g, q, c1, c2)
        name = "s%03d" % n
        params = "%d %.17g %.17g %.17g %.9g %.9g" % (code, f0, g, q, c1, c2)
        lines.append("section %s %s mag %s\n" % (name, params, fmt(magnitude(h))))
        lines.append("section %s %s phase %s\n" % (name, params, fmt(phase(code, h))))
    write(os.path.join(out_dir, "sections.golden"), lines)

    lines = [header]
    for slope in range(21):
        for f0 in XOVER_FREQUENCIES:
            for high_pass in (True, False):
                mag = np.zeros(POINTS)
                ph = np.zeros(POINTS)
                for code, c1, c2 in stages(high_pass, slope):
                    h = response(code, f0, 0.0, 1.0, f32(c1), f32(c2))
                    mag += magnitude(h)
                    ph += phase(code, h)  # the cut's curve is the stage sum, not folded
                side = "HP" if high_pass else "LP"
                params = "%s %d %.17g" % (side, slope, f0)
                lines.append("xover %s %s mag %s\n" % (SLOPE_NAMES[slope], params, fmt(mag)))
                lines.append("xover %s %s phase %s\n" % (SLOPE_NAMES[slope], params, fmt(ph)))
    write(os.path.join(out_dir, "crossovers.golden"), lines)


def write(path, lines):
    tmp = path + ".tmp"
    with open(tmp, "w") as f:
        f.writelines(lines)
    os.replace(tmp, path)


if __name__ == "__main__":
    main()
