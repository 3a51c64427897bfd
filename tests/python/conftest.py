"""Shared fixtures: the console program of this build, the bundled example,
and series files made for a test."""

import os
import pathlib
import signal
import subprocess
import threading
import time

import numpy as np
import pytest


@pytest.fixture
def console_program():
    return os.environ["MODELCHECK_PROGRAM"]


@pytest.fixture
def example_series():
    return pathlib.Path(os.environ["MODELCHECK_EXAMPLES"]) / "henon.txt"


def henon(count, transient=100):
    """The x component of the Henon map from (0.1, 0.1), as the C++ tests make it."""
    values = np.empty(count)
    x, y = 0.1, 0.1
    for n in range(-transient, count):
        x, y = 1.0 - 1.4 * x * x + y, 0.3 * x
        if n >= 0:
            values[n] = x
    return values


def logistic(count):
    values = np.empty(count)
    x = 0.3
    for n in range(-100, count):
        x = 3.9 * x * (1.0 - x)
        if n >= 0:
            values[n] = x
    return values


def write_series(path, values):
    path.write_text("".join(f"{v:.12f}\n" for v in values))
    return path


def run_console(program, folder, answers):
    """The interactive program answered line by line in `folder`; report.txt and neighbors.txt."""
    subprocess.run([program], input="\n".join(answers) + "\n", text=True, cwd=folder, capture_output=True,
                   timeout=300)
    report = (folder / "report.txt").read_text()
    neighbours = folder / "neighbors.txt"
    return report, neighbours.read_text() if neighbours.exists() else ""


def interrupt_after(seconds):
    """Sends this process SIGINT (what Ctrl-C sends) after `seconds`, from
    another thread; returns a dict whose "at" is the monotonic time it was sent."""
    sent = {}

    def interrupt():
        time.sleep(seconds)
        sent["at"] = time.monotonic()
        os.kill(os.getpid(), signal.SIGINT)

    threading.Thread(target=interrupt).start()
    return sent
