#!/usr/bin/env python3
"""Timing helper of bench/run: wall times with a monotonic clock.

  measure.py log   --runs N --label TEXT --file LOG -- TOOL-COMMAND...
      Runs the tool and `grep -c 'Excited State' LOG` alternately, N times
      each, then once more under /usr/bin/time -v for the peak RSS; prints
      one Markdown table row.
  measure.py cubes --runs N --label TEXT --files N -- TOOL-COMMAND...
      Runs the tool N times; prints one row and leaves the median in
      $MEASURE_OUT (a file) for the growth ratio.

Commands run without a shell; their output is read and dropped.
"""

import argparse
import os
import re
import statistics
import subprocess
import sys
import time

MIB = 1024.0 * 1024.0


def wall_time(command):
    """Seconds one run takes; raises when the command fails."""
    # Output goes to a pipe, not /dev/null: GNU grep stops at the first
    # match when its output is /dev/null.
    start = time.perf_counter()
    done = subprocess.run(command, stdout=subprocess.PIPE,
                          stderr=subprocess.DEVNULL)
    elapsed = time.perf_counter() - start
    if done.returncode != 0 and not (command[0] == "grep" and done.returncode == 1):
        raise SystemExit("measure: %s exited with %d" % (" ".join(command),
                                                          done.returncode))
    return elapsed


def peak_rss_kib(command):
    """Maximum resident set size of one run, from /usr/bin/time -v."""
    done = subprocess.run(["/usr/bin/time", "-v"] + command,
                          stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                          text=True)
    match = re.search(r"Maximum resident set size \(kbytes\): (\d+)", done.stderr)
    if done.returncode != 0 or not match:
        raise SystemExit("measure: /usr/bin/time -v %s failed" % " ".join(command))
    return int(match.group(1))


def measure_log(args, tool):
    grep = ["grep", "-c", "Excited State", args.file]
    tool_times, grep_times = [], []
    for _ in range(args.runs):
        tool_times.append(wall_time(tool))
        grep_times.append(wall_time(grep))
    ratios = [t / g for t, g in zip(tool_times, grep_times)]
    rss = peak_rss_kib(tool) * 1024.0
    size = os.path.getsize(args.file)
    print("| %s | %.1f MiB | %.3f | %.3f | %.2f | %.1f MiB | %.2f |"
          % (args.label, size / MIB, statistics.median(tool_times),
             statistics.median(grep_times), statistics.median(ratios),
             rss / MIB, rss / size))


def measure_cubes(args, tool):
    times = [wall_time(tool) for _ in range(args.runs)]
    median = statistics.median(times)
    rss = peak_rss_kib(tool) * 1024.0
    print("| %s | %d | %.3f | %.3f | %.3f | %.1f MiB |"
          % (args.label, args.files, median, min(times), max(times), rss / MIB))
    if os.environ.get("MEASURE_OUT"):
        with open(os.environ["MEASURE_OUT"], "w") as f:
            f.write("%.9f\n" % median)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("mode", choices=("log", "cubes"))
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--label", required=True)
    parser.add_argument("--file", help="the log (mode log)")
    parser.add_argument("--files", type=int, default=0,
                        help="number of cube files (mode cubes)")
    argv = sys.argv[1:]
    if "--" not in argv:
        parser.error("the tool command is missing: put it after --")
    split = argv.index("--")
    args = parser.parse_args(argv[:split])
    tool = argv[split + 1:]
    if not tool:
        parser.error("the tool command is missing")
    if args.mode == "log":
        measure_log(args, tool)
    else:
        measure_cubes(args, tool)
    return 0


if __name__ == "__main__":
    sys.exit(main())
