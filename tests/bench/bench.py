#!/usr/bin/env python3
"""Benchmark figures under Wine (run by scripts/bench.sh inside a prepared desktop): CPU per key event of a run beside a
minimal hook program, the native instruction count of the key path's logic, balloon-wait CPU beside a polling
stand-in, idle-run CPU, start-up time, size."""

import argparse
import os
import re
import shutil
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
HOOK_CLASS = "PelmorathBenchHook"
STEP = 5
BURST_AT = (100, 400)       # where each chunk of a burst starts: bare desktop, clear of every window
FOCUSED_AT = (560, 20)      # the other program that has the focus during a burst


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


def cpu_ns(pid):
    """CPU time of every thread of a process in ns (schedstat), or from /proc/PID/stat's ticks where it is missing."""
    total = 0
    try:
        for task in os.listdir("/proc/%d/task" % pid):
            with open("/proc/%d/task/%s/schedstat" % (pid, task)) as f:
                total += int(f.read().split()[0])
        return total
    except (OSError, ValueError, IndexError):
        return int(cpu_seconds(pid) * 1e9)


def tool_exe(build_dir, name, gui=True):
    """A bench program built by the win32 build, or compiled here when that build has none."""
    src = os.path.join(HERE, name + ".cpp")
    for cand in (os.path.join(build_dir, "tests", "bench", name + ".exe"), os.path.join(build_dir, name + ".exe")):
        if os.path.isfile(cand) and os.path.getmtime(cand) >= os.path.getmtime(src):
            return cand
    out = os.path.join(ROOT, "build", "bench-tools", name + ".exe")
    if not (os.path.isfile(out) and os.path.getmtime(out) >= os.path.getmtime(src)):
        os.makedirs(os.path.dirname(out), exist_ok=True)
        flags = ["-municode", "-mwindows"] if gui else []
        subprocess.run(["i686-w64-mingw32-g++-posix", "-std=c++20", "-O2", "-static"] + flags + ["-o", out, src],
                       check=True)
    return out


def minimal_exe(build_dir):
    return tool_exe(build_dir, "minimal_window")


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
        close_window_program(probe, cls, proc)


def close_window_program(probe, cls, proc):
    """Close the program's window as a user would, and make sure the process is gone."""
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
        close_window_program(probe, POLLING_CLASS, proc)


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


class BurstDriver:
    """The key_burst driver, kept running: each burst is one command, so its start stays outside the figures."""

    def __init__(self, desktop, exe):
        self.proc = subprocess.Popen(["wine", exe], env=desktop.env, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                     stderr=subprocess.DEVNULL, text=True)
        if self.proc.stdout.readline().strip() != "ready":
            raise harness.HarnessError("key_burst did not start")

    def burst(self, events, chunk=100):
        self.proc.stdin.write("burst %d %d %d %d\n" % (events, chunk, BURST_AT[0], BURST_AT[1]))
        self.proc.stdin.flush()
        line = self.proc.stdout.readline()
        m = re.match(r"events (\d+) moves (-?\d+) seconds ([\d.]+)", line)
        if not m:
            raise harness.HarnessError("key_burst answered %r" % line)
        return int(m.group(2)), float(m.group(3))

    def stop(self):
        if self.proc.poll() is None:
            self.proc.stdin.write("quit\n")
            self.proc.stdin.close()
            self.proc.wait(10)


class TracedApp(harness.App):
    """Pelmorath started with an environment and an error output of the bench's choice."""

    def __init__(self, desktop, probe, exe, env, stderr):  # pylint: disable=super-init-not-called
        self.desktop, self.probe, self.exe, self.hwnd = desktop, probe, exe, 0
        self.proc = subprocess.Popen(["wine", exe], env=env, cwd=os.path.dirname(exe), stdin=subprocess.DEVNULL,
                                     stdout=subprocess.DEVNULL, stderr=stderr)


class HookProgram:
    """One start of a program that steers with a keyboard hook, ready for a burst and ended cleanly."""

    def __init__(self, desktop, probe, exe, ours, env=None, stderr=subprocess.DEVNULL):
        self.desktop, self.probe, self.ours = desktop, probe, ours
        env = env or desktop.env
        if ours:
            self.app = TracedApp(desktop, probe, exe, env, stderr)
            self.proc = self.app.proc
        else:
            self.proc = subprocess.Popen(["wine", exe], env=env, cwd=os.path.dirname(exe),
                                         stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=stderr)

    def start(self, driver, focused):
        if self.ours:
            app = self.app
            app.wait_main()
            btn = app.child(harness.ID_BUTTON)
            cl = app.info()["client"]
            l, t, r, b = btn["local"]
            self.desktop.click(cl[0] + (l + r) // 2, cl[1] + (t + b) // 2)
            harness.wait_until(lambda: app.button_text() == harness.STOP_CAPTION, 10, what="the run to start")
        else:
            harness.wait_until(lambda: self.probe.find(HOOK_CLASS), 10, what="the minimal hook program")
        self.probe("foreground", focused)
        # steering has begun once a short burst moves
        harness.wait_until(lambda: driver.burst(3)[0] == 2, 15, interval=0.2, what="steering to start")

    def stop(self):
        if self.ours:
            self.app.close()
            return
        h = self.probe.find(HOOK_CLASS)
        if h:
            self.probe("close", h)
        self.proc.wait(10)


def server_requests(pid, driver, events):
    """Wine server requests per event of a process: each is one write to its thread's request pipe, counted with
    strace over a burst. None when strace cannot attach."""
    if not shutil.which("strace"):
        return None
    log = os.path.join(os.environ["WINEDESK_DIR"], "requests-%d.log" % pid)
    tracer = subprocess.Popen(["strace", "-f", "-y", "-e", "trace=write,writev", "-o", log, "-p", str(pid)],
                              stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    try:
        threads = len(os.listdir("/proc/%d/task" % pid))
        attached = 0
        while attached < threads:
            line = tracer.stderr.readline()
            if not line:
                return None
            # "Process N attached", or for a process of several threads "Process N attached with M threads"
            m = re.search(r"attached(?: with (\d+) threads)?", line)
            attached += (int(m.group(1) or 1)) if m else 0
        driver.burst(events)
        time.sleep(0.3)
    finally:
        tracer.terminate()
        tracer.wait(10)
    with open(log) as f:
        count = sum(1 for line in f if re.match(r"^\d+\s+writev?\(\d+<pipe:", line))
    if not os.environ.get("BENCH_KEEP_TRACE"):
        os.remove(log)
    return count / events


def key_path(desktop, probe, exe, build_dir, rounds, events):
    """CPU per key event (the program's own and the Wine server's) of Pelmorath and the minimal hook program,
    measured on the same burst in interleaved rounds; moves per event; server requests per event, counted in each
    round on a shorter burst of its own after the measured one (tracing slows the program down)."""
    focused_proc = subprocess.Popen(["wine", minimal_exe(build_dir)], env=desktop.env, stdin=subprocess.DEVNULL,
                                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    driver = None
    server = int(os.environ["WINEDESK_SERVER_PID"])
    minimal_hook = tool_exe(build_dir, "minimal_hook")
    figures = {True: [], False: []}
    own = {True: [], False: []}
    moves = {True: [], False: []}
    requests = {True: [], False: []}
    try:
        focused = harness.wait_until(lambda: probe.find(MINIMAL_CLASS), 10, what="the focused program")
        probe("move", focused, FOCUSED_AT[0], FOCUSED_AT[1], 440, 140)
        driver = BurstDriver(desktop, tool_exe(build_dir, "key_burst", gui=False))
        for r in range(rounds):
            for ours in ((True, False) if r % 2 else (False, True)):
                prog = HookProgram(desktop, probe, exe if ours else minimal_hook, ours)
                try:
                    prog.start(driver, focused)
                    a0, s0 = cpu_ns(prog.proc.pid), cpu_ns(server)
                    moved, _ = driver.burst(events)
                    a1, s1 = cpu_ns(prog.proc.pid), cpu_ns(server)
                    requests[ours].append(server_requests(prog.proc.pid, driver, 300))
                finally:
                    prog.stop()
                figures[ours].append(((a1 - a0) + (s1 - s0)) / events / 1000.0)
                own[ours].append((a1 - a0) / events / 1000.0)
                moves[ours].append(moved / events)
    finally:
        if driver:
            driver.stop()
        h = probe.find(MINIMAL_CLASS)
        if h:
            probe("close", h)
        try:
            focused_proc.wait(5)
        except subprocess.TimeoutExpired:
            focused_proc.kill()
            focused_proc.wait()
    return figures, own, moves, requests


def pure_path_instructions():
    """Instructions per event of the key path's own logic, natively under callgrind: the difference of two runs."""
    if not shutil.which("valgrind"):
        return None
    build = os.path.join(ROOT, "build", "bench-native")
    subprocess.run(["cmake", "-S", ROOT, "-B", build, "-DCMAKE_BUILD_TYPE=Release"], check=True,
                   stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", build, "--target", "pure_path"], check=True, stdout=subprocess.DEVNULL)
    driver = os.path.join(build, "tests", "bench", "pure_path")

    def collected(events):
        out = os.path.join(build, "callgrind.out")
        p = subprocess.run(["valgrind", "--tool=callgrind", "--callgrind-out-file=" + out, driver, str(events)],
                           stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True, check=True)
        os.remove(out)
        return int(re.search(r"Collected : (\d+)", p.stderr).group(1))
    return (collected(11000) - collected(1000)) / 10000.0


def main():
    ap = argparse.ArgumentParser(description=__doc__)
    ap.add_argument("--build-dir", default=os.path.join(ROOT, "build", "win32"))
    ap.add_argument("--starts", type=int, default=11, help="starts of each program for the start-up median")
    ap.add_argument("--idle", type=float, default=10.0, help="seconds of the idle run")
    ap.add_argument("--rounds", type=int, default=7, help="interleaved rounds of the key-event figures")
    ap.add_argument("--events", type=int, default=2000, help="key events per burst")
    ap.add_argument("--only", choices=("keys", "balloon", "start", "idle"), help="measure only this figure")
    ap.add_argument("--waits", type=int, default=3, help="rounds of the balloon-wait CPU measure")
    args = ap.parse_args()
    build_dir = os.path.abspath(args.build_dir)
    exe = os.path.join(build_dir, "Pelmorath.exe")
    if not os.path.isfile(exe):
        print("bench: program not found: %s" % exe)
        return 1
    minimal = tool_exe(build_dir, "minimal_window")
    polling = tool_exe(build_dir, "polling_wait")
    desktop = CurrentDesktop()
    probe = harness.Probe(desktop, harness.find_probe(build_dir))
    want = (lambda figure: args.only in (None, figure))
    try:
        probe("screen")
        if want("keys"):
            key_cpu, key_own, key_moves, key_requests = key_path(desktop, probe, exe, build_dir, args.rounds, args.events)
        if want("start"):
            # one start of each first: load everything into the page cache
            start_to_visible(desktop, probe, exe, harness.MAIN_CLASS)
            start_to_visible(desktop, probe, minimal, MINIMAL_CLASS)
            ours, base = [], []
            for _ in range(args.starts):
                ours.append(start_to_visible(desktop, probe, exe, harness.MAIN_CLASS))
                base.append(start_to_visible(desktop, probe, minimal, MINIMAL_CLASS))
        if want("balloon"):
            # 4 s inside the 5 s wait, leaving its start and end out; rounds interleaved with the stand-in
            waits, polls = [], []
            for _ in range(args.waits):
                waits.append(balloon_wait_cpu(desktop, probe, exe, 4.0))
                polls.append(polling_cpu(desktop, probe, polling, 4.0))
        if want("idle"):
            app_cpu, server_cpu, running = idle_run_cpu(desktop, probe, exe, args.idle)
    finally:
        probe.stop()

    summary = []
    if want("keys"):
        m_ours, m_base = statistics.median(key_cpu[True]), statistics.median(key_cpu[False])
        # Each round runs both programs back to back, so its own ratio is the least disturbed by other load.
        paired = statistics.median(a / b for a, b in zip(key_cpu[True], key_cpu[False]))
        summary.append("CPU per key event (own + wineserver), Pelmorath / minimal hook: %.2f (goal <= 1.10)" % paired)
        print("CPU per key event (own + wineserver), burst of %d events with Right held, median of %d rounds: "
              "Pelmorath %.1f us, minimal hook %.1f us, ratio %.2f (median of the rounds' ratios %.2f)"
              % (args.events, args.rounds, m_ours, m_base, m_ours / m_base, paired))
        print("  Pelmorath rounds (us):    %s" % " ".join("%.1f" % v for v in key_cpu[True]))
        print("  minimal hook rounds (us): %s" % " ".join("%.1f" % v for v in key_cpu[False]))
        print("  of which the program's own, medians: Pelmorath %.1f us, minimal hook %.1f us"
              % (statistics.median(key_own[True]), statistics.median(key_own[False])))
        print("moves per event: Pelmorath %s, minimal hook %s (every event after the first: %.4f)"
              % (" ".join("%.4f" % v for v in sorted(set(key_moves[True]))),
                 " ".join("%.4f" % v for v in sorted(set(key_moves[False]))), (args.events - 1) / args.events))
        if None not in key_requests[True] + key_requests[False]:
            r_ours, r_base = statistics.median(key_requests[True]), statistics.median(key_requests[False])
            print("Wine server requests per event, median of %d rounds: Pelmorath %.1f, minimal hook %.1f"
                  % (args.rounds, r_ours, r_base))
            print("  Pelmorath rounds:    %s" % " ".join("%.1f" % v for v in key_requests[True]))
            print("  minimal hook rounds: %s" % " ".join("%.1f" % v for v in key_requests[False]))
            summary.append("Wine server requests per key event: Pelmorath %.1f (goal <= 13), minimal hook %.1f"
                           % (r_ours, r_base))
        else:
            print("Wine server requests per event: n/a (strace could not attach)")
            summary.append("Wine server requests per key event: n/a (strace could not attach)")
        instructions = pure_path_instructions()
        print("key path's own logic natively (callgrind): %s instructions per event"
              % ("%.0f" % instructions if instructions is not None else "n/a (no valgrind)"))
    if want("idle"):
        print("idle run of %.0f s: Pelmorath %.3f s CPU, wineserver %.3f s CPU%s"
              % (args.idle, app_cpu, server_cpu, "" if running else " (run had ended!)"))
    if want("balloon"):
        w_app, w_srv = statistics.median(w[0] for w in waits), statistics.median(w[1] for w in waits)
        p_app, p_srv = statistics.median(p[0] for p in polls), statistics.median(p[1] for p in polls)
        print("balloon wait, 4 s of it, median of %d: Pelmorath %.3f s CPU (wineserver %.3f s); polling stand-in "
              "%.3f s CPU (wineserver %.3f s); ratio %.3f"
              % (args.waits, w_app, w_srv, p_app, p_srv, w_app / p_app if p_app else float("nan")))
        print("  Pelmorath rounds (s CPU): %s" % " ".join("%.2f" % w[0] for w in waits))
        print("  stand-in rounds (s CPU):  %s" % " ".join("%.2f" % p[0] for p in polls))
    if want("start"):
        m_ours, m_base = statistics.median(ours), statistics.median(base)
        paired = statistics.median(a / b for a, b in zip(ours, base))
        print("start to visible window, median of %d: Pelmorath %.0f ms, minimal window %.0f ms, ratio %.2f "
              "(median of the pairs' ratios %.2f)" % (args.starts, m_ours * 1000, m_base * 1000, m_ours / m_base, paired))
        print("  Pelmorath runs (ms): %s" % " ".join("%.0f" % (v * 1000) for v in ours))
        print("  minimal runs (ms):   %s" % " ".join("%.0f" % (v * 1000) for v in base))
        summary.append("start to visible window, Pelmorath / minimal window: %.2f (goal <= 1.20)" % paired)
    shown = os.path.relpath(exe, ROOT) if exe.startswith(ROOT + os.sep) else exe
    print("exe size: %d bytes (%s)" % (os.path.getsize(exe), shown))
    if summary:
        print("the three figures, each the median of its interleaved rounds:")
        for line in summary:
            print("  " + line)
    return 0


if __name__ == "__main__":
    sys.exit(main())
