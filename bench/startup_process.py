#!/usr/bin/env python3
"""Whole-process start-up of the program on a full company (32,767 customers), against a
process that shows one bare Qt window: time to the first form, peak memory, libraries loaded.

    bench/startup_process.py QORVANA BARE_WINDOW WIDGETS_WINDOW QORVANA_DEMO [ROUNDS]

Makes the company with the demo maker, then in every round starts, one after the other (the
order alternating from round to round):
  - the bare window (`bare_window`): it writes a line once its window is drawn, and ends;
  - the widgets window (`widgets_window`): the start form's kinds of widgets in a plain Qt
    window, nothing of the program: what Qt alone takes to show them;
  - the program as an operator starts it, with --check-start: it writes its line once the
    start form is drawn, and ends;
  - the program with a script that opens the customer list (all 32,767 rows); the replay
    and Qt Test, which it loads, are counted too, so this one is an upper bound.
Each run is timed from its start to its first line, and its peak memory (the largest
resident set, `ru_maxrss`) is taken once it ended. Prints the medians and the ratios against
the bare window (targets: time within 1.6, memory within 1.3, with the list within 1.6).

Then once, without any script (as an operator starts the program): the program on the same
company and the bare window are left running until they are idle, their libraries are read
from /proc/PID/maps and their peak memory from /proc/PID/status, and both are ended.
"""
import os
import signal
import statistics
import subprocess
import sys
import tempfile
import time

LIST_SCRIPT = "click qoremf.b_lista\nexpect-visible qorsel\n"


def run(argv, env):
    """Starts argv; returns (ms to its first line, peak resident set in MB) once it ended."""
    begin = time.perf_counter()
    process = subprocess.Popen(argv, env=env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    process.stdout.readline()
    shown = (time.perf_counter() - begin) * 1000
    process.stdout.read()
    _, status, usage = os.wait4(process.pid, 0)
    process.returncode = os.waitstatus_to_exitcode(status)
    if process.returncode != 0:
        sys.exit(f"{argv[0]} ended with status {process.returncode}")
    return shown, usage.ru_maxrss / 1024


def cpu_ticks(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])


def idle_view(argv, env):
    """Starts argv, waits until it has used no CPU for half a second, and returns the shared
    libraries it has mapped and its peak resident set in MB; then ends it."""
    process = subprocess.Popen(argv, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    last, still = -1, 0
    while still < 10:
        time.sleep(0.05)
        ticks = cpu_ticks(process.pid)
        still = still + 1 if ticks == last else 0
        last = ticks
    with open(f"/proc/{process.pid}/maps") as f:
        libraries = {line.split()[-1] for line in f if ".so" in line.split()[-1]}
    with open(f"/proc/{process.pid}/status") as f:
        peak = next(int(line.split()[1]) for line in f if line.startswith("VmHWM:")) / 1024
    process.send_signal(signal.SIGTERM)
    process.wait()
    return libraries, peak


def main():
    if len(sys.argv) not in (5, 6):
        sys.exit(__doc__)
    qorvana, bare, widgets, demo = (os.path.abspath(a) for a in sys.argv[1:5])
    rounds = int(sys.argv[5]) if len(sys.argv) == 6 else 11
    with tempfile.TemporaryDirectory(prefix="qorvana-start-") as work:
        drive = os.path.join(work, "drive")
        subprocess.run([demo, "--drive", drive, "--customers", "32767"], check=True,
                       stdout=subprocess.DEVNULL)
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen",
                   XDG_RUNTIME_DIR=os.path.join(work, "runtime"))
        os.makedirs(env["XDG_RUNTIME_DIR"], mode=0o700)
        program = [qorvana, "--drive", drive, "--company", "1", "--now", "06/12/2026 10:00"]
        script = os.path.join(work, "list.qrs")
        with open(script, "w") as f:
            f.write(LIST_SCRIPT)
        commands = {"bare": [bare], "widgets": [widgets], "start": program + ["--check-start"],
                    "list": program + ["--replay", script]}
        times = {name: [] for name in commands}
        peaks = {name: [] for name in commands}
        order = list(commands)
        for r in range(rounds + 1):
            for name in order if r % 2 else reversed(order):
                shown, peak = run(commands[name], env)
                if r > 0:  # the first round warms the page cache
                    times[name].append(shown)
                    peaks[name].append(peak)
        load = os.getloadavg()[0]

        def median(values):
            return statistics.median(values)

        print(f"{rounds} rounds, load average {load:.1f}")
        for name in commands:
            print(f"{name:7s} shown {median(times[name]):6.1f} ms "
                  f"(min {min(times[name]):.1f}, max {max(times[name]):.1f})  "
                  f"peak {median(peaks[name]):5.1f} MB")
        pair = [p / b for p, b in zip(times["start"], times["bare"])]
        print(f"start form: {median(times['start']) / median(times['bare']):.2f} x the bare "
              f"window (median of the pairs {median(pair):.2f}), target 1.6")
        widgets_pair = [w / b for w, b in zip(times["widgets"], times["bare"])]
        print(f"widgets window: {median(times['widgets']) / median(times['bare']):.2f} x the bare "
              f"window (median of the pairs {median(widgets_pair):.2f}); the start form "
              f"{median(times['start']) / median(times['widgets']):.2f} x the widgets window")
        for name, target in (("widgets", None), ("start", 1.3), ("list", 1.6)):
            print(f"peak memory, {name}: {median(peaks[name]) / median(peaks['bare']):.2f} x "
                  f"the bare window" + (f", target {target}" if target else ""))

        program_libs, program_peak = idle_view(program, env)
        bare_libs, bare_peak = idle_view([bare, "--stay"], env)
        print(f"without a script, idle: program {program_peak:.1f} MB, {len(program_libs)} "
              f"libraries; bare window {bare_peak:.1f} MB, {len(bare_libs)} libraries; "
              f"memory {program_peak / bare_peak:.2f} x")
        print("libraries the program has and the bare window has not:")
        for library in sorted(program_libs - bare_libs):
            print("  " + library)


if __name__ == "__main__":
    main()
