#!/usr/bin/env python3
"""Entry point of the end-to-end tests: one private Wine desktop, every test_*.py here, a summary line."""

import argparse
import os
import signal
import sys
import time
import traceback
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.dont_write_bytecode = True  # no __pycache__ beside the sources
sys.path.insert(0, HERE)

import harness  # noqa: E402


class Result(unittest.TestResult):
    """Prints one line per test (and per failing sub-case) as it finishes."""

    def __init__(self):
        super().__init__()
        self.passed = 0
        self.failed_ids = set()
        self._t0 = 0.0

    def startTest(self, test):
        super().startTest(test)
        self._t0 = time.monotonic()

    def _name(self, test):
        return test.id().split(".", 1)[-1]

    def _report(self, status, test, err=None):
        line = "%-4s %s (%.1fs)" % (status, self._name(test), time.monotonic() - self._t0)
        print(line, flush=True)
        if err is not None:
            text = "".join(traceback.format_exception(*err)) if isinstance(err, tuple) else str(err)
            print("     " + text.rstrip().replace("\n", "\n     "), flush=True)

    def addSuccess(self, test):
        super().addSuccess(test)
        if test.id() not in self.failed_ids:
            self.passed += 1
            self._report("ok", test)

    def addFailure(self, test, err):
        super().addFailure(test, err)
        self.failed_ids.add(test.id())
        self._report("FAIL", test, self._short(err))

    def addError(self, test, err):
        super().addError(test, err)
        self.failed_ids.add(test.id())
        self._report("ERR", test, self._short(err, full=True))

    def addSkip(self, test, reason):
        super().addSkip(test, reason)
        self._report("skip", test, reason)

    def addSubTest(self, test, subtest, err):
        super().addSubTest(test, subtest, err)
        if err is not None:
            self.failed_ids.add(test.id())
            self._report("FAIL", subtest, self._short(err))

    @staticmethod
    def _short(err, full=False):
        etype, value, tb = err
        if full or not issubclass(etype, AssertionError):
            return "".join(traceback.format_exception(etype, value, tb))
        return "%s: %s" % (etype.__name__, value)


def main():
    ap = argparse.ArgumentParser(description=__doc__)
    ap.add_argument("--build-dir", default=os.path.join(harness.ROOT, "build", "win32"),
                    help="win32 build folder holding Pelmorath.exe (default: build/win32)")
    ap.add_argument("--exe", help="program to test (default: BUILD_DIR/Pelmorath.exe)")
    ap.add_argument("--test-exe", help="the test build of the program, with its test-only switches "
                    "(default: build/win32-test/Pelmorath.exe)")
    ap.add_argument("-k", action="append", default=[], help="run only tests whose id contains this text")
    args = ap.parse_args()
    build_dir = os.path.abspath(args.build_dir)
    exe = os.path.abspath(args.exe or os.path.join(build_dir, "Pelmorath.exe"))
    test_exe = os.path.abspath(args.test_exe or os.path.join(harness.ROOT, "build", "win32-test", "Pelmorath.exe"))

    loader = unittest.TestLoader()
    if args.k:
        loader.testNamePatterns = ["*%s*" % k for k in args.k]
    suite = loader.discover(HERE, pattern="test_*.py", top_level_dir=HERE)

    def stop(signum, frame):
        raise KeyboardInterrupt("signal %d" % signum)
    signal.signal(signal.SIGTERM, stop)
    signal.signal(signal.SIGHUP, stop)

    result = Result()
    t0 = time.monotonic()
    try:
        if not os.path.isfile(exe):
            print("e2e: program not found: %s" % exe, flush=True)
        harness.Session.open(exe, build_dir, test_exe)
        suite.run(result)
    except KeyboardInterrupt:
        print("e2e: interrupted", flush=True)
        result.errors.append((None, "interrupted"))
    except Exception:
        print("e2e: could not set up the desktop:\n" + traceback.format_exc(), flush=True)
        result.errors.append((None, "setup"))
    finally:
        harness.Session.close()

    total = suite.countTestCases()
    failed = len(result.failed_ids)
    skipped = len(result.skipped)
    not_run = total - result.passed - failed - skipped
    failed += max(not_run, 0)
    line = "e2e: %d passed, %d failed" % (result.passed, failed)
    if skipped:
        line += ", %d skipped" % skipped
    print("(%.0fs)" % (time.monotonic() - t0))
    print(line, flush=True)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
