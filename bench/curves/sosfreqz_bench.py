#!/usr/bin/python3
"""Side-by-side figures of the curve computation and scipy's sosfreqz.

Runs bench-curves (the Google Benchmark program of this directory) and, on
the same channel (its nine bands and the stages of both 48 dB/octave cuts,
as bench-curves --print-sections gives them) and the same 4096-point grid,
scipy.signal.sosfreqz followed by the conversion to dB. Prints both figures
and their ratio; asserts nothing about time.

What each side computes for "whole channel":
  C++    designs every section from its parameters (bands and cut stages),
         computes each section's own curve in dB at the 4096 points (the
         graph draws every band alone) and sums them into the total;
  scipy  takes the finished coefficients, evaluates the cascade's complex
         response at the 4096 points and converts that one product to dB.
So the C++ side does strictly more (designs, one logarithm per section and
point, one stored curve per section); both give the same total.
For "one band edit" the C++ side redesigns the band and recomputes it and the
channel's total; scipy evaluates the one section alone.

  sosfreqz_bench.py [path/to/bench-curves]

Needs python3-scipy. Without a path the script looks for the program under
the build directories of the source tree.
"""
import glob
import json
import math
import os
import statistics
import subprocess
import sys
import time

import numpy as np
from scipy import signal

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))


def find_program():
    if len(sys.argv) > 1:
        return sys.argv[1]
    found = sorted(glob.glob(os.path.join(ROOT, "build*", "bench", "curves", "bench-curves")),
                   key=os.path.getmtime, reverse=True)
    if not found:
        sys.exit("bench-curves not found; build it (target bench-curves) or pass its path")
    return found[0]


def run(program, *args):
    return subprocess.run([program, *args], check=True, capture_output=True, text=True).stdout


def cpp_figures(program):
    out = run(program, "--benchmark_filter=^BM_(BandEdit|ChannelRecompute)/phase:0$",
              "--benchmark_format=json", "--benchmark_repetitions=5",
              "--benchmark_report_aggregates_only=true")
    figures = {}
    for b in json.loads(out)["benchmarks"]:
        if b.get("aggregate_name") == "median":
            scale = {"ns": 1e-3, "us": 1.0, "ms": 1e3}[b["time_unit"]]
            figures[b["run_name"]] = b["real_time"] * scale
    return figures["BM_BandEdit/phase:0"], figures["BM_ChannelRecompute/phase:0"]


def median_us(fn, repeat=7, number=50):
    times = []
    for _ in range(repeat):
        t0 = time.perf_counter()
        for _ in range(number):
            fn()
        times.append((time.perf_counter() - t0) / number * 1e6)
    return statistics.median(times)


def main():
    program = find_program()
    sos = np.array([[float(v) for v in line.split()] for line in run(program, "--print-sections").splitlines()])
    total = np.array([float(v) for v in run(program, "--print-total").split()])
    w = np.pi * 10.0 ** (math.log10(48000.0) * np.arange(4096) / 4096) / 48000.0

    def channel():
        h = signal.sosfreqz(sos, worN=w)[1]
        return 20.0 * np.log10(np.abs(h))

    def one_section():
        h = signal.sosfreqz(sos[4:5], worN=w)[1]
        return 20.0 * np.log10(np.abs(h))

    same = np.max(np.abs(channel() - total))

    edit_cpp, channel_cpp = cpp_figures(program)
    channel_py = median_us(channel)
    section_py = median_us(one_section)

    print("channel: %d sections (9 bands, two 48 dB/octave cuts), 4096 points" % len(sos))
    print("largest difference of the totals, C++ against scipy: %.2e dB" % same)
    print("%-44s %10s %10s" % ("", "C++ (us)", "scipy (us)"))
    print("%-44s %10.1f %10.1f" % ("one band edit (C++: section and total;", edit_cpp, section_py))
    print("%-44s" % ("                scipy: the section alone)"))
    print("%-44s %10.1f %10.1f" % ("whole channel recomputed", channel_cpp, channel_py))
    print("ratio, whole channel: %.1f times faster than sosfreqz" % (channel_py / channel_cpp))
    print("(C++: design + every section's own dB curve + the sum; scipy: the cascade's product, one dB)")
    print("targets: band edit < 50 us: %s; whole channel < 250 us: %s; ratio >= 20: %s" % (
        "met" if edit_cpp < 50 else "missed", "met" if channel_cpp < 250 else "missed",
        "met" if channel_py / channel_cpp >= 20 else "missed"))


if __name__ == "__main__":
    main()
