#!/usr/bin/env python3
"""Counts the test cases of a JUnit report (as ctest --output-junit writes one) into "WORD: N passed, N failed"."""

import sys
import xml.etree.ElementTree as ElementTree


def counts(report):
    """(passed, failed): a case that ran without a failure passed, a disabled one is neither, anything else
    (failed, not run) failed."""
    passed = failed = 0
    for case in ElementTree.parse(report).iter("testcase"):
        status = case.get("status", "run")
        if status == "disabled":
            continue
        if status == "run" and case.find("failure") is None and case.find("error") is None:
            passed += 1
        else:
            failed += 1
    return passed, failed


if __name__ == "__main__":
    word, report = sys.argv[1:3]
    print("%s: %d passed, %d failed" % ((word,) + counts(report)))
