"""modelcheck.surrogate_test and the bootstrap: deterministic structure beats
its surrogates at the smallest p-value the run allows, the figures do not
depend on the number of jobs, intervals hold their estimates, and bad
requests are refused."""

import numpy as np
import pytest

import modelcheck
from conftest import henon


@pytest.fixture(scope="module")
def series():
    return henon(2500)


def test_henon_beats_every_surrogate_on_any_number_of_jobs(series):
    one = modelcheck.surrogate_test(series, 2200, 2, 0.05, ltest=10, ktest=100, n=19, seed=7, n_jobs=1)
    assert one.p_value == 1 / 20 and one.finished == 19 and one.at_most_series == 0
    assert one.cell == modelcheck.check(series, 2200, 2, 0.05, ltest=10, ktest=100, baselines=False)
    assert np.all(one.one_step_errors > one.cell.one_step_error)
    assert one.band_low.shape == (10,) and np.all(one.band_low <= one.band_high)
    assert one.iterations.shape == (19,) and one.converged == 19
    two = modelcheck.surrogate_test(series, 2200, 2, 0.05, ltest=10, ktest=100, n=19, seed=7, n_jobs=2)
    for name in ("one_step_errors", "iterative_times", "direct_times", "band_low", "band_high", "iterations"):
        assert np.array_equal(getattr(one, name), getattr(two, name), equal_nan=True), name
    other = modelcheck.surrogate_test(series, 2200, 2, 0.05, ltest=10, ktest=100, n=19, seed=8)
    assert not np.array_equal(other.one_step_errors, one.one_step_errors)
    assert one.to_dict()["p_value"] == 0.05 and "p = 0.05" in repr(one)


def test_bootstrap_intervals_hold_the_estimates_and_repeat_with_their_seed(series):
    result = modelcheck.check(series, 2200, 2, 0.05, ltest=10, ktest=100, bootstrap=True, seed=3)
    assert result.iterative_error_low.shape == (10,)
    assert np.all(result.iterative_error_low <= result.iterative_error)
    assert np.all(result.iterative_error <= result.iterative_error_high)
    low, high = result.direct_time_interval
    assert low <= result.direct_time <= high
    assert result == modelcheck.check(series, 2200, 2, 0.05, ltest=10, ktest=100, bootstrap=1000, seed=3, n_jobs=1)
    assert result != modelcheck.check(series, 2200, 2, 0.05, ltest=10, ktest=100, bootstrap=1000, seed=4)
    plain = modelcheck.check(series, 2200, 2, 0.05, ltest=10, ktest=100)
    assert plain.iterative_time_interval is None and plain.iterative_error_low.size == 0
    assert np.array_equal(plain.iterative_error, result.iterative_error)


@pytest.mark.parametrize("arguments, message", [
    ({"n": 0}, "n = 0 is out of range"),
    ({"seed": -1}, "seed = -1 is out of range"),
    ({"bootstrap": 0.5}, "bootstrap"),
])
def test_bad_requests_are_refused(series, arguments, message):
    with pytest.raises((ValueError, TypeError), match=message):
        modelcheck.surrogate_test(series, 2200, 2, 0.05, **arguments)
