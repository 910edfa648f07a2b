#!/usr/bin/env python3
"""Benchmark figures under Wine (run by scripts/bench.sh inside a prepared desktop): idle-run CPU, balloon-wait CPU,
start-up time, size."""

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
POLLING_CLASS = "PelmorathBenchPolling"


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


def bench_tool(build_dir, name):
    """A baseline program of the win32 build, or one compiled here when that build has none."""
    src = os.path.join(HERE, name + ".cpp")
    for cand in (os.path.join(build_dir, "tests", "bench", name + ".exe"),
                 os.path.join(build_dir, name + ".exe")):
        if os.path.isfile(cand) and os.path.getmtime(cand) >= os.path.getmtime(src):
            return cand
    out = os.path.join(ROOT, "build", "bench-tools", name + ".exe")
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


def click_start(desktop, app):
    app.wait_main()
    btn = app.child(harness.ID_BUTTON)
    cl = app.info()["client"]
    l, t, r, b = btn["local"]
    desktop.click(cl[0] + (l + r) // 2, cl[1] + (t + b) // 2)
    harness.wait_until(lambda: not app.info()["visible"], 10, what="the window to hide into the tray")


def cpu_over(pid, seconds):
    """CPU seconds of PID and of the wineserver over the next SECONDS."""
    server = int(os.environ["WINEDESK_SERVER_PID"])
    a0, s0 = cpu_seconds(pid), cpu_seconds(server)
    time.sleep(seconds)
    return cpu_seconds(pid) - a0, cpu_seconds(server) - s0


def balloon_wait_cpu(desktop, probe, exe, seconds):
    """The first minimise of a fresh start: the 5 s balloon wait (Wine never reports the balloon gone)."""
    app = harness.App(desktop, probe, exe)
    try:
        click_start(desktop, app)
        return cpu_over(app.proc.pid, seconds)
    finally:
        app.close()


def polling_cpu(desktop, probe, exe, seconds):
    """The stand-in polls for 5 s from its first show: measured over the same span."""
    proc = subprocess.Popen(["wine", exe], env=desktop.env, cwd=os.path.dirname(exe), stdin=subprocess.DEVNULL,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        if not probe("waitwin", POLLING_CLASS, 20000, timeout=30)["visible"]:
            raise harness.HarnessError("the polling stand-in showed no window")
        return cpu_over(proc.pid, seconds)
    finally:
        h = probe.find(POLLING_CLASS)
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
        click_start(desktop, app)
        app.end_balloon_wait()  # the run loop's own figure, without the balloon wait of the first minimise
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
    ap.add_argument("--waits", type=int, default=3, help="rounds of the balloon-wait CPU measure")
    args = ap.parse_args()
    build_dir = os.path.abspath(args.build_dir)
    exe = os.path.join(build_dir, "Pelmorath.exe")
    if not os.path.isfile(exe):
        print("bench: program not found: %s" % exe)
        return 1
    minimal = bench_tool(build_dir, "minimal_window")
    polling = bench_tool(build_dir, "polling_wait")
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
        # 4 s inside the 5 s wait, leaving its start and end out; rounds interleaved with the stand-in
        waits, polls = [], []
        for _ in range(args.waits):
            waits.append(balloon_wait_cpu(desktop, probe, exe, 4.0))
            polls.append(polling_cpu(desktop, probe, polling, 4.0))
    finally:
        probe.stop()

    m_ours, m_base = statistics.median(ours), statistics.median(base)
    print("idle run of %.0f s: Pelmorath %.3f s CPU, wineserver %.3f s CPU%s"
          % (args.idle, app_cpu, server_cpu, "" if running else " (run had ended!)"))
    w_app, w_srv = statistics.median(w[0] for w in waits), statistics.median(w[1] for w in waits)
    p_app, p_srv = statistics.median(p[0] for p in polls), statistics.median(p[1] for p in polls)
    print("balloon wait, 4 s of it, median of %d: Pelmorath %.3f s CPU (wineserver %.3f s); polling stand-in "
          "%.3f s CPU (wineserver %.3f s); ratio %.3f"
          % (args.waits, w_app, w_srv, p_app, p_srv, w_app / p_app if p_app else float("nan")))
    print("  Pelmorath rounds (s CPU): %s" % " ".join("%.2f" % w[0] for w in waits))
    print("  stand-in rounds (s CPU):  %s" % " ".join("%.2f" % p[0] for p in polls))
    print("start to visible window, median of %d: Pelmorath %.0f ms, minimal window %.0f ms, ratio %.2f"
          % (args.starts, m_ours * 1000, m_base * 1000, m_ours / m_base))
    print("  Pelmorath runs (ms): %s" % " ".join("%.0f" % (v * 1000) for v in ours))
    print("  minimal runs (ms):   %s" % " ".join("%.0f" % (v * 1000) for v in base))
    shown = os.path.relpath(exe, ROOT) if exe.startswith(ROOT + os.sep) else exe
    print("exe size: %d bytes (%s)" % (os.path.getsize(exe), shown))
    return 0


if __name__ == "__main__":
    sys.exit(main())
