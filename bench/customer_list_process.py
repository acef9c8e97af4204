#!/usr/bin/env python3
"""Whole-process timing of the customer list on a full company (32,767 customers).

    bench/customer_list_process.py QORVANA QORVANA_DEMO [RUNS]

Makes the company with the demo maker, then in every run starts, one after the other:
  - the program alone: a script that checks the start form is shown;
  - the program opening its customer list, filter empty;
  - the program opening its customer list with the filter "a" typed in the name box;
  - `cat` of the files the list reads (qorvana.tot, qorvana.src, qorvana.cli) to /dev/null.
Each is timed from its start to its end. Prints the medians, the list runs against the
program alone, and the list's own work (list run minus program alone) against `cat`.
"""
import os
import statistics
import subprocess
import sys
import tempfile
import time

SCRIPTS = {
    "alone": "expect-visible qoremf\n",
    "list": "click qoremf.b_lista\nexpect-visible qorsel\n",
    "filtered": 'type qoremf.nome "a"\nclick qoremf.b_lista\nexpect-visible qorsel\n',
}


def timed(argv, env):
    begin = time.perf_counter()
    subprocess.run(argv, env=env, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return (time.perf_counter() - begin) * 1000


def main():
    if len(sys.argv) not in (3, 4):
        sys.exit(__doc__)
    qorvana, demo = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    runs = int(sys.argv[3]) if len(sys.argv) == 4 else 21
    with tempfile.TemporaryDirectory(prefix="qorvana-list-") as work:
        drive = os.path.join(work, "drive")
        subprocess.run([demo, "--drive", drive, "--customers", "32767"], check=True,
                       stdout=subprocess.DEVNULL)
        company = os.path.join(drive, "qorwin/qorwin/qoraz0.001")
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen",
                   XDG_RUNTIME_DIR=os.path.join(work, "runtime"))
        os.makedirs(env["XDG_RUNTIME_DIR"], mode=0o700)
        commands = {}
        for name, text in SCRIPTS.items():
            script = os.path.join(work, name + ".qrs")
            with open(script, "w") as f:
                f.write(text)
            commands[name] = [qorvana, "--drive", drive, "--company", "1", "--now",
                              "06/12/2026 10:00", "--replay", script]
        commands["cat"] = ["cat"] + [os.path.join(company, "qorvana." + e)
                                     for e in ("tot", "src", "cli")]
        times = {name: [] for name in commands}
        for run in range(runs + 1):
            for name, argv in commands.items():
                ms = timed(argv, env)
                if run > 0:  # the first round warms the page cache
                    times[name].append(ms)
        median = {name: statistics.median(values) for name, values in times.items()}
        for name, ms in median.items():
            print(f"{name:9s} median {ms:7.1f} ms  (min {min(times[name]):.1f}, "
                  f"max {max(times[name]):.1f}, {runs} runs)")
        for name in ("list", "filtered"):
            own = median[name] - median["alone"]
            print(f"{name}: {median[name] / median['alone']:.2f} x the program alone; "
                  f"the list's own work {own:.1f} ms = {own / median['cat']:.1f} x cat")


if __name__ == "__main__":
    main()
