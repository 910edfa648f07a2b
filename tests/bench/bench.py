#!/usr/bin/env python3
"""Benchmark figures under Wine (run by scripts/bench.sh inside a prepared desktop): idle-run CPU, start-up time, size."""

import argparse
import os
import statistics
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
sys.dont_write_bytecode = True  # no __pycache__ beside the sources
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))

import harness  # noqa: E402

TICKS = os.sysconf("SC_CLK_TCK")
MINIMAL_CLASS = "PelmorathBenchMinimal"


class CurrentDesktop(harness.Desktop):
    """The desktop bench.sh started: its environment is ours."""

    def __init__(self):
        super().__init__()
        self.env = dict(os.environ)
        self.dir = os.environ["WINEDESK_DIR"]

    def stop(self):
        pass


def cpu_seconds(pid):
    """utime + stime of a process (fields 14 and 15 of /proc/PID/stat)."""
    with open("/proc/%d/stat" % pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICKS


def minimal_exe(build_dir):
    src = os.path.join(HERE, "minimal_window.cpp")
    for cand in (os.path.join(build_dir, "tests", "bench", "minimal_window.exe"),
                 os.path.join(build_dir, "minimal_window.exe")):
        if os.path.isfile(cand) and os.path.getmtime(cand) >= os.path.getmtime(src):
            return cand
    out = os.path.join(ROOT, "build", "bench-tools", "minimal_window.exe")
    if not (os.path.isfile(out) and os.path.getmtime(out) >= os.path.getmtime(src)):
        os.makedirs(os.path.dirname(out), exist_ok=True)
        subprocess.run(["i686-w64-mingw32-g++-posix", "-std=c++20", "-O2", "-static", "-municode", "-mwindows",
                        "-o", out, src], check=True)
    return out


def start_to_visible(desktop, probe, exe, cls):
    """Seconds from starting EXE until a visible window of CLS exists; the program is closed again."""
    t0 = time.monotonic()
    proc = subprocess.Popen(["wine", exe], env=desktop.env, cwd=os.path.dirname(exe), stdin=subprocess.DEVNULL,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        answer = probe("waitwin", cls, 20000, timeout=30)
        elapsed = time.monotonic() - t0
        if not answer["visible"]:
            raise harness.HarnessError("%s showed no window" % exe)
        return elapsed
    finally:
        h = probe.find(cls)
        if h:
            probe("close", h)
        try:
            proc.wait(5)
        except subprocess.TimeoutExpired:
            proc.kill()
            proc.wait()


def idle_run_cpu(desktop, probe, exe, seconds):
    app = harness.App(desktop, probe, exe)
    try:
        app.wait_main()
        btn = app.child(harness.ID_BUTTON)
        cl = app.info()["client"]
        l, t, r, b = btn["local"]
        desktop.click(cl[0] + (l + r) // 2, cl[1] + (t + b) // 2)
        harness.wait_until(lambda: app.button_text() == harness.STOP_CAPTION, 10, what="the run to start")
        time.sleep(0.5)
        server = int(os.environ["WINEDESK_SERVER_PID"])
        a0, s0 = cpu_seconds(app.proc.pid), cpu_seconds(server)
        time.sleep(seconds)
        a1, s1 = cpu_seconds(app.proc.pid), cpu_seconds(server)
        still_running = app.button_text() == harness.STOP_CAPTION
        return a1 - a0, s1 - s0, still_running
    finally:
        app.close()


def main():
    ap = argparse.ArgumentParser(description=__doc__)
    ap.add_argument("--build-dir", default=os.path.join(ROOT, "build", "win32"))
    ap.add_argument("--starts", type=int, default=7, help="starts of each program for the start-up median")
    ap.add_argument("--idle", type=float, default=10.0, help="seconds of the idle run")
    args = ap.parse_args()
    build_dir = os.path.abspath(args.build_dir)
    exe = os.path.join(build_dir, "Pelmorath.exe")
    if not os.path.isfile(exe):
        print("bench: program not found: %s" % exe)
        return 1
    minimal = minimal_exe(build_dir)
    desktop = CurrentDesktop()
    probe = harness.Probe(desktop, harness.find_probe(build_dir))
    try:
        probe("screen")
        # one start of each first: load everything into the page cache
        start_to_visible(desktop, probe, exe, harness.MAIN_CLASS)
        start_to_visible(desktop, probe, minimal, MINIMAL_CLASS)
        ours, base = [], []
        for _ in range(args.starts):
            ours.append(start_to_visible(desktop, probe, exe, harness.MAIN_CLASS))
            base.append(start_to_visible(desktop, probe, minimal, MINIMAL_CLASS))
        app_cpu, server_cpu, running = idle_run_cpu(desktop, probe, exe, args.idle)
    finally:
        probe.stop()

    m_ours, m_base = statistics.median(ours), statistics.median(base)
    print("idle run of %.0f s: Pelmorath %.3f s CPU, wineserver %.3f s CPU%s"
          % (args.idle, app_cpu, server_cpu, "" if running else " (run had ended!)"))
    print("start to visible window, median of %d: Pelmorath %.0f ms, minimal window %.0f ms, ratio %.2f"
          % (args.starts, m_ours * 1000, m_base * 1000, m_ours / m_base))
    print("  Pelmorath runs (ms): %s" % " ".join("%.0f" % (v * 1000) for v in ours))
    print("  minimal runs (ms):   %s" % " ".join("%.0f" % (v * 1000) for v in base))
    shown = os.path.relpath(exe, ROOT) if exe.startswith(ROOT + os.sep) else exe
    print("exe size: %d bytes (%s)" % (os.path.getsize(exe), shown))
    return 0


if __name__ == "__main__":
    sys.exit(main())
