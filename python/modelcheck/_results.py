"""The result objects of modelcheck.check and modelcheck.scan."""

from __future__ import annotations

from typing import Any, Dict, Iterator, Optional, Tuple, Union

import numpy as np


def _columns(table):
    """A table from the core as NumPy columns: integers masked where absent, reals NaN there, text as str."""
    columns = {}
    for name, column in table.items():
        values, absent = column["values"], np.asarray(column["absent"], dtype=bool)
        if column["kind"] == "integer":
            columns[name] = np.ma.MaskedArray(np.asarray(values, dtype=np.int64), mask=absent)
        elif column["kind"] == "text":
            columns[name] = np.array(values, dtype=object)
        else:
            columns[name] = np.asarray(values, dtype=np.float64)
    return columns


def _frame(columns):
    """NumPy columns as a pandas DataFrame (masked integers as nullable Int64); the dict itself without pandas."""
    try:
        import pandas
    except ImportError:
        return columns
    data = {}
    for name, values in columns.items():
        if isinstance(values, np.ma.MaskedArray):
            values = pandas.arrays.IntegerArray(np.ma.getdata(values).astype(np.int64), np.ma.getmaskarray(values))
        data[name] = values
    return pandas.DataFrame(data)


def _same(a, b):
    # Equal, or both NaN: a figure that does not exist matches itself.
    return a == b or (isinstance(a, float) and isinstance(b, float) and np.isnan(a) and np.isnan(b))


def _time(value):
    return None if value is None else int(value)


class CheckResult:
    """The figures of one model check and of its baselines.

    Attributes
    ----------
    dim, eps, delay : int, float, int
        The check's dimension, box size and delay.
    status : str
        'finished', or 'singular' when an exactly singular least-squares fit
        ended the check; ``stop`` then holds why (``reason``: 'singular_fit'),
        where (``phase``, ``piece``, ``step``), ``zero_diagonal`` (the index
        of the first zero on the fit's triangular diagonal) and the numerical
        core's ``message``, and the figures hold
        what was computed before it (errors only of the tests that finished).
    iterative_error, direct_error : numpy.ndarray
        Normalised root-mean-square error per horizon 1..ltest.
    one_step_error : float
        ``iterative_error[0]`` (times 100: the percent the program reports); NaN
        when the iterative test did not finish.
    iterative_time, direct_time : int or None
        Prediction times in steps: leading horizons with error at most the
        threshold; None for a test that did not finish (never 0, which would
        read as a measured time).
    direct_neighbours : numpy.ndarray
        Neighbour count of each test piece's state in the direct test.
    iterative_neighbours : numpy.ndarray
        Neighbour count of every iterative step, piece-major.
    orbit : numpy.ndarray
        ``(n, 2)``: the model's free run in the delay plane, newest state value
        and the prediction after it.
    iterative_skipped_pieces, direct_skipped_pieces : int
        With ``on_singular="skip-piece"``: the test pieces a singular fit
        ended, left out of that test's errors (0 otherwise).
    orbit_stop : dict or None
        With ``on_singular="skip-piece"``: where a singular fit ended the
        orbit early, as ``stop`` says it.
    first_piece_iterative, first_piece_direct : numpy.ndarray
        The first test piece's predictions per horizon.
    iterative_error_low, iterative_error_high, direct_error_low, direct_error_high : numpy.ndarray
        With ``bootstrap``: the 90 % bootstrap interval of each horizon's
        error (resampling the test pieces); empty without one.
    iterative_time_interval, direct_time_interval : tuple of int or None
        With ``bootstrap``: the 90 % interval ``(low, high)`` of each
        prediction time; None without one.
    persistence_error, global_iterative_error, global_direct_error : numpy.ndarray
        The baselines' errors per horizon over the same pieces: the newest
        value repeated, and the global affine model (every training state a
        neighbour) iterated and direct.
    persistence_time, global_iterative_time, global_direct_time : int or None
        Their prediction times; None for a baseline not computed or stopped.
    """

    _arrays = (
        "iterative_error",
        "direct_error",
        "direct_neighbours",
        "iterative_neighbours",
        "orbit",
        "first_piece_iterative",
        "first_piece_direct",
    )

    _interval_arrays = ("iterative_error_low", "iterative_error_high", "direct_error_low", "direct_error_high")

    def __init__(self, cell, ntrain, ltest, ktest, threshold):
        self.ntrain, self.ltest, self.ktest, self.threshold = ntrain, ltest, ktest, threshold
        self.dim = cell["dim"]
        self.eps = cell["eps"]
        self.delay = cell["delay"]
        self.status = cell["status"]
        self.reason = cell["reason"]
        self.stop = cell["stop"]
        self.orbit_stop = cell["orbit_stop"]
        self.iterative_skipped_pieces = cell["iterative_skipped_pieces"]
        self.direct_skipped_pieces = cell["direct_skipped_pieces"]
        for name in self._arrays:
            setattr(self, name, np.asarray(cell[name]))
        self.one_step_error = float(cell["one_step_error"])
        self.iterative_time = _time(cell["iterative_time"])
        self.direct_time = _time(cell["direct_time"])
        base = cell["baselines"]
        self.baselines_computed = bool(base["computed"])
        self.persistence_error = np.asarray(base["persistence_error"])
        self.global_iterative_error = np.asarray(base["global_iterative_error"])
        self.global_direct_error = np.asarray(base["global_direct_error"])
        self.persistence_time = _time(base["persistence_time"])
        self.global_iterative_time = _time(base["global_iterative_time"])
        self.global_direct_time = _time(base["global_direct_time"])
        self.global_stop = base["global_stop"]
        for test in ("iterative", "direct"):
            interval = cell[test + "_interval"]
            empty = np.empty(0)
            setattr(self, test + "_error_low", empty if interval is None else np.asarray(interval["errors_low"]))
            setattr(self, test + "_error_high", empty if interval is None else np.asarray(interval["errors_high"]))
            setattr(self, test + "_time_interval",
                    None if interval is None else (int(interval["time_low"]), int(interval["time_high"])))

    _scalars = (
        "dim", "eps", "delay", "ntrain", "ltest", "ktest", "threshold", "status", "reason", "stop", "orbit_stop",
        "iterative_skipped_pieces", "direct_skipped_pieces", "one_step_error", "iterative_time", "direct_time",
        "baselines_computed", "persistence_time", "global_iterative_time", "global_direct_time", "global_stop",
        "iterative_time_interval", "direct_time_interval",
    )
    _all_arrays = _arrays + ("persistence_error", "global_iterative_error", "global_direct_error") + _interval_arrays

    def to_dict(self) -> Dict[str, Any]:
        """Every setting and figure as plain Python values (arrays as lists), for JSON and the like."""
        out = {name: getattr(self, name) for name in self._scalars}
        for name in self._all_arrays:
            out[name] = getattr(self, name).tolist()
        return out

    def __eq__(self, other: object) -> bool:
        """The same settings and every figure the same to the last bit (NaN equal to NaN)."""
        if not isinstance(other, CheckResult):
            return NotImplemented
        return all(_same(getattr(self, name), getattr(other, name)) for name in self._scalars) and all(
            np.array_equal(getattr(self, name), getattr(other, name), equal_nan=True) for name in self._all_arrays)

    __hash__ = None  # type: ignore[assignment]  # equal results need not be the same object

    def __repr__(self) -> str:
        state = f"dim={self.dim}" + (f" delay={self.delay}" if self.delay != 1 else "") + f" eps={self.eps!r}"
        if self.status not in ("finished", "singular"):
            return f"<CheckResult {state} {self.status}>"
        text = (
            f"<CheckResult {state} {self.status}: one-step error "
            f"{100 * self.one_step_error:.5f} %, prediction time {self.iterative_time} iterative, "
            f"{self.direct_time} direct (persistence {self.persistence_time}, global affine "
            f"{self.global_iterative_time}/{self.global_direct_time})"
        )
        if self.stop:
            text += f"; stopped in the {self.stop['phase']} test, piece {self.stop['piece']}, step {self.stop['step']}"
        return text + ">"


class SurrogateTest:
    """A cell's check beside the same check of IAAFT surrogates of the series.

    A surrogate holds the series' values in another order with nearly the
    same periodogram: what a linear Gaussian process seen through a fixed
    monotone measurement function would give. Surrogate ``i`` depends on
    the seed and ``i`` alone, so the figures are the same for any ``n_jobs``.

    Attributes
    ----------
    cell : CheckResult
        The series' check.
    p_value : float
        The rank of the series' one-step error among those of the series and
        the finished surrogates, one-sided, ties counted against the series:
        ``(1 + at_most_series) / (1 + finished)``; the smallest possible is
        ``1 / (n + 1)``. NaN when the series' check has no one-step error.
    n, seed : int
        The number of surrogates and their seed.
    finished, at_most_series : int
        Surrogates whose check gave a one-step error, and of those the ones
        whose error is at most the series'.
    one_step_errors, iterative_times, direct_times : numpy.ndarray
        Per surrogate (float; NaN where its check gave no such figure).
    band_low, band_high : numpy.ndarray
        The central 90 % of the surrogates' iterative errors per horizon
        (with fewer than 20 surrogates, their smallest and largest).
    iterations : numpy.ndarray
        Per surrogate, the amplitude-adjusting steps taken; ``converged``
        counts the surrogates whose rank order settled before the limit.
    making_seconds, checking_seconds : float
        Time spent making the surrogates and checking them, summed over the
        threads.
    """

    def __init__(self, run, test, cell):
        self.cell = cell
        self.n = int(run["count"])
        self.seed = int(run["seed"])
        self.p_value = float(test["p_value"])
        self.finished = int(test["finished"])
        self.at_most_series = int(test["at_most_series"])
        for name in ("one_step_errors", "iterative_times", "direct_times", "band_low", "band_high"):
            setattr(self, name, np.asarray(test[name]))
        self.iterations = np.asarray(run["iterations"])
        self.converged = int(run["converged"])
        self.making_seconds = float(run["making_seconds"])
        self.checking_seconds = float(run["checking_seconds"])

    def to_dict(self) -> Dict[str, Any]:
        """The test's figures as plain Python values, the series' check as :meth:`CheckResult.to_dict`."""
        out: Dict[str, Any] = {"cell": self.cell.to_dict()}
        for name in ("n", "seed", "p_value", "finished", "at_most_series", "converged"):
            out[name] = getattr(self, name)
        for name in ("one_step_errors", "iterative_times", "direct_times", "band_low", "band_high", "iterations"):
            out[name] = getattr(self, name).tolist()
        return out

    def __repr__(self) -> str:
        return (f"<SurrogateTest dim={self.cell.dim} eps={self.cell.eps!r}: p = {self.p_value:g} "
                f"({self.at_most_series} of {self.finished} surrogates predict one step as well or better)>")


def _surrogate_tests(raw, cells):
    run = raw.get("surrogates")
    if run is None:
        return None
    return [SurrogateTest(run, test, cells[test["cell"]]) for test in run["cells"]]


class ScanResult:
    """The cells of a scan over dimensions and box sizes.

    Attributes
    ----------
    dims, epss, delays : list
        The grid, in scan order.
    cells : list of CheckResult
        Delay-major, then dimension-major: the cell of ``delays[t]``,
        ``dims[a]`` and ``epss[b]`` is ``cells[(t * len(dims) + a) *
        len(epss) + b]``. Infeasible cells have ``status`` 'infeasible' and
        ``reason``.
    best : CheckResult or None
        The finished cell best by the scan's metric and its ties (``best_by``):
        by default the longest iterative prediction time, then the longest
        direct one, then the smallest one-step error.
    best_by : list of str
        The figures ``best`` is ranked by, the metric first.
    complete : bool
        Every cell has its outcome.
    eps_unit : float
        One unit of eps in the series' units: 1, or with ``eps_relative`` the
        training part's standard deviation.
    best_on_edge : list of dict
        The axes (of more than one value) on whose edge the best cell lies,
        where the best may lie beyond the grid: ``setting`` ('dim', 'eps' or
        'delay'), ``side`` ('smallest' or 'largest') and ``text``, e.g. "the
        best eps is the smallest in the grid".
    surrogates : list of SurrogateTest or None
        With ``surrogates``: the surrogate test of the best cell (or of every
        finished cell, with ``surrogates_all``); None without one.
    """

    def __init__(self, raw, dims, epss, ltest, ktest, delays=(1,)):
        self.dims, self.epss, self.delays = list(dims), list(epss), list(delays)
        self.ntrain = raw["ntrain"]
        self.threshold = raw["threshold"]
        self.complete = raw["complete"]
        self.cells = [CheckResult(cell, self.ntrain, ltest, ktest, self.threshold) for cell in raw["cells"]]
        self.best = None if raw["best"] is None else self.cells[raw["best"]]
        self.best_on_edge = list(raw["best_on_edge"])
        self.eps_unit = raw["eps_unit"]
        self.best_by = list(raw["best_by"])
        self._tables = raw["tables"]
        self.surrogates = _surrogate_tests(raw, self.cells)

    def cell(self, dim: int, eps: float, delay: Optional[int] = None) -> CheckResult:
        """The cell of one dimension, box size and delay of the grid (the delay may be left out when there is one)."""
        if delay is None:
            if len(self.delays) > 1:
                raise ValueError(f"this scan has the delays {self.delays}: give the cell's delay too")
            delay = self.delays[0]
        row = self.delays.index(delay) * len(self.dims) + self.dims.index(dim)
        return self.cells[row * len(self.epss) + self.epss.index(eps)]

    def __len__(self) -> int:
        """The number of cells."""
        return len(self.cells)

    def __iter__(self) -> Iterator[CheckResult]:
        """The cells in scan order (dimension-major)."""
        return iter(self.cells)

    def __getitem__(self, key: Union[Tuple[int, float], Tuple[int, float, int]]) -> CheckResult:
        """``result[dim, eps]`` or ``result[dim, eps, delay]``: the cell of that dimension, box size (and delay)."""
        if not (isinstance(key, tuple) and len(key) in (2, 3)):
            raise TypeError("index a scan by dimension and box size, and delay: result[dim, eps] or "
                            "result[dim, eps, delay]")
        if len(key) == 2 and len(self.delays) > 1:
            raise KeyError(f"{key}: this scan has the delays {self.delays}: use result[dim, eps, delay]")
        try:
            return self.cell(*key)
        except ValueError:
            raise KeyError(key) from None

    def to_dict(self) -> Dict[str, Any]:
        """The grid, whether it is complete, the best cell and every cell as :meth:`CheckResult.to_dict`."""
        return {
            "dims": list(self.dims),
            "epss": list(self.epss),
            "delays": list(self.delays),
            "ntrain": self.ntrain,
            "threshold": self.threshold,
            "complete": self.complete,
            "best": None if self.best is None else [self.best.dim, self.best.eps, self.best.delay],
            "best_on_edge": [dict(edge) for edge in self.best_on_edge],
            "eps_unit": self.eps_unit,
            "best_by": list(self.best_by),
            "cells": [cell.to_dict() for cell in self.cells],
            "surrogates": None if self.surrogates is None else [
                {key: value for key, value in test.to_dict().items() if key != "cell"}
                | {"cell": [test.cell.dim, test.cell.eps, test.cell.delay]} for test in self.surrogates],
        }

    def table(self) -> Any:
        """One row per cell: the columns of the batch program's scan.csv, by the same definition.

        D, eps, status, one_step_error, the prediction times of the model
        (iterative_time, direct_time) and of the baselines (persistence_time,
        global_iterative_time, global_direct_time), the spread of the direct
        test's neighbour counts (neighbours_min, neighbours_median,
        neighbours_max), reason, and the settings Ntrain, Ltest, Ktest. A
        figure that does not exist (an infeasible cell, a test that stopped,
        baselines not computed) is missing: NaN in a real column, <NA> in an
        integer column (pandas' nullable Int64), masked without pandas.
        A pandas DataFrame when pandas is installed, otherwise a dict of
        NumPy arrays (integer columns as ``numpy.ma.MaskedArray``).
        """
        return _frame(self._columns("scan"))

    def curves(self) -> Any:
        """The error curves in long format: the columns of the batch program's curves.csv.

        One row per cell and horizon 1..ltest: D, eps, status, horizon,
        iterative_error, direct_error, persistence_error,
        global_iterative_error, global_direct_error, Ntrain, Ltest, Ktest;
        missing figures as in :meth:`table`.
        """
        return _frame(self._columns("curves"))

    def _columns(self, name):
        return _columns(self._tables[name])

    def __repr__(self) -> str:
        finished = sum(cell.status == "finished" for cell in self.cells)
        best = "" if self.best is None else f", best dim={self.best.dim} eps={self.best.eps!r}"
        grid = f"{len(self.dims)} x {len(self.epss)}"
        if len(self.delays) > 1 or self.delays != [1]:
            grid += f" x {len(self.delays)}"
            best += "" if self.best is None else f" delay={self.best.delay}"
        return f"<ScanResult {grid} cells, {finished} finished{best}>"
