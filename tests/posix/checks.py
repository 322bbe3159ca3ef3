"""Shared by the Python end-to-end tests: checks that count failures and
a verdict at the end, as e2e_lib.sh's check and finish do."""
import sys

_failures = 0


def check(name, expected, actual):
    global _failures
    if expected == actual:
        print(f"ok   {name}")
    else:
        print(f"FAIL {name}: expected [{expected}], got [{actual}]")
        _failures += 1


def finish():
    print(f"{_failures} failed")
    sys.exit(1 if _failures else 0)
