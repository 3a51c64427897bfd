"""The module under hostile habits: an array rewritten while checks run,
Ctrl-C during a long scan, and whole numbers past 32 bits."""

import threading
import time
from concurrent.futures import ThreadPoolExecutor

import numpy as np
import pytest

import modelcheck
from conftest import henon, interrupt_after


def test_an_array_rewritten_during_checks_never_reaches_the_engine():
    x = henon(4000)
    original, standardised = x.copy(), (x - x.mean()) / x.std()
    expected = {
        modelcheck.check(values, 3000, 2, 0.05, 20, 50).iterative_error.tobytes()
        for values in (original, standardised)
    }
    done = threading.Event()

    def rewrite():
        # Flips the shared array between the two series, as a notebook standardising in place would.
        while not done.is_set():
            x[:] = standardised
            x[:] = original

    writer = threading.Thread(target=rewrite)
    writer.start()
    try:
        with ThreadPoolExecutor(max_workers=2) as pool:
            results = list(pool.map(lambda _: modelcheck.check(x, 3000, 2, 0.05, 20, 50, n_jobs=1), range(100)))
    finally:
        done.set()
        writer.join()
    # Each check saw one whole series or a mixture copied at one moment; none crashed,
    # and those that saw one series give that series' figures exactly.
    assert len(results) == 100
    assert all(r.status == "finished" for r in results)
    assert any(r.iterative_error.tobytes() in expected for r in results)


def test_ctrl_c_stops_a_long_scan_within_half_a_second():
    x = henon(100000)
    stopped = interrupt_after(0.5)
    with pytest.raises(KeyboardInterrupt):
        modelcheck.scan(x, 99000, [1, 2, 3], [0.1, 0.2, 0.3], n_jobs=1)
    assert time.monotonic() - stopped["at"] < 0.5


@pytest.mark.parametrize("argument, call", [
    ("ntrain", lambda x: modelcheck.check(x, 2**31, 2, 0.05)),
    ("ntrain", lambda x: modelcheck.check(x, 2**70, 2, 0.05)),
    ("dim", lambda x: modelcheck.check(x, 500, 2**40, 0.05)),
    ("ltest", lambda x: modelcheck.check(x, 500, 2, 0.05, ltest=-2**33)),
    ("ktest", lambda x: modelcheck.check(x, 500, 2, 0.05, ktest=2**32 + 1)),
    ("dims", lambda x: modelcheck.scan(x, 500, [1, 2**31], [0.05])),
])
def test_whole_numbers_past_32_bits_are_refused_by_name(argument, call):
    with pytest.raises(ValueError, match=f"^{argument} = -?[0-9]+ is out of range: allowed"):
        call(henon(1000))
