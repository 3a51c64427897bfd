"""The result objects of modelcheck.check and modelcheck.scan."""

from __future__ import annotations

from typing import Any, Dict, Iterator, Tuple

import numpy as np


def _time(value):
    return None if value is None else int(value)


class CheckResult:
    """The figures of one model check and of its baselines.

    Attributes
    ----------
    dim, eps : int, float
        The check's dimension and box size.
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
    first_piece_iterative, first_piece_direct : numpy.ndarray
        The first test piece's predictions per horizon.
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

    def __init__(self, cell, ntrain, ltest, ktest, threshold):
        self.ntrain, self.ltest, self.ktest, self.threshold = ntrain, ltest, ktest, threshold
        self.dim = cell["dim"]
        self.eps = cell["eps"]
        self.status = cell["status"]
        self.reason = cell["reason"]
        self.stop = cell["stop"]
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

    def to_dict(self) -> Dict[str, Any]:
        """Every setting and figure as plain Python values (arrays as lists), for JSON and the like."""
        out = {
            "dim": self.dim,
            "eps": self.eps,
            "ntrain": self.ntrain,
            "ltest": self.ltest,
            "ktest": self.ktest,
            "threshold": self.threshold,
            "status": self.status,
            "reason": self.reason,
            "stop": self.stop,
            "one_step_error": self.one_step_error,
            "iterative_time": self.iterative_time,
            "direct_time": self.direct_time,
            "baselines_computed": self.baselines_computed,
            "persistence_time": self.persistence_time,
            "global_iterative_time": self.global_iterative_time,
            "global_direct_time": self.global_direct_time,
            "global_stop": self.global_stop,
        }
        for name in self._arrays + ("persistence_error", "global_iterative_error", "global_direct_error"):
            out[name] = getattr(self, name).tolist()
        return out

    def __repr__(self) -> str:
        if self.status not in ("finished", "singular"):
            return f"<CheckResult dim={self.dim} eps={self.eps!r} {self.status}>"
        text = (
            f"<CheckResult dim={self.dim} eps={self.eps!r} {self.status}: one-step error "
            f"{100 * self.one_step_error:.5f} %, prediction time {self.iterative_time} iterative, "
            f"{self.direct_time} direct (persistence {self.persistence_time}, global affine "
            f"{self.global_iterative_time}/{self.global_direct_time})"
        )
        if self.stop:
            text += f"; stopped in the {self.stop['phase']} test, piece {self.stop['piece']}, step {self.stop['step']}"
        return text + ">"


class ScanResult:
    """The cells of a scan over dimensions and box sizes.

    Attributes
    ----------
    dims, epss : list
        The grid, in scan order.
    cells : list of CheckResult
        Dimension-major: the cell of ``dims[a]`` and ``epss[b]`` is
        ``cells[a * len(epss) + b]``. Infeasible cells have ``status``
        'infeasible' and ``reason``.
    best : CheckResult or None
        The finished cell with the longest iterative prediction time, then the
        longest direct one, then the smallest one-step error.
    complete : bool
        Every cell has its outcome.
    """

    _columns = (
        "dim",
        "eps",
        "status",
        "one_step_error",
        "iterative_time",
        "direct_time",
        "persistence_time",
        "global_iterative_time",
        "global_direct_time",
        "neighbours_min",
        "neighbours_median",
        "neighbours_max",
        "reason",
    )

    def __init__(self, raw, dims, epss, ltest, ktest):
        self.dims, self.epss = list(dims), list(epss)
        self.ntrain = raw["ntrain"]
        self.threshold = raw["threshold"]
        self.complete = raw["complete"]
        self.cells = [CheckResult(cell, self.ntrain, ltest, ktest, self.threshold) for cell in raw["cells"]]
        self.best = None if raw["best"] is None else self.cells[raw["best"]]

    def cell(self, dim: int, eps: float) -> CheckResult:
        """The cell of one dimension and box size of the grid."""
        return self.cells[self.dims.index(dim) * len(self.epss) + self.epss.index(eps)]

    def __len__(self) -> int:
        """The number of cells."""
        return len(self.cells)

    def __iter__(self) -> Iterator[CheckResult]:
        """The cells in scan order (dimension-major)."""
        return iter(self.cells)

    def __getitem__(self, key: Tuple[int, float]) -> CheckResult:
        """``result[dim, eps]``: the cell of that dimension and box size."""
        if not (isinstance(key, tuple) and len(key) == 2):
            raise TypeError("index a scan by dimension and box size: result[dim, eps]")
        try:
            return self.cell(*key)
        except ValueError:
            raise KeyError(key) from None

    def to_dict(self) -> Dict[str, Any]:
        """The grid, whether it is complete, the best cell and every cell as :meth:`CheckResult.to_dict`."""
        return {
            "dims": list(self.dims),
            "epss": list(self.epss),
            "ntrain": self.ntrain,
            "threshold": self.threshold,
            "complete": self.complete,
            "best": None if self.best is None else [self.best.dim, self.best.eps],
            "cells": [cell.to_dict() for cell in self.cells],
        }

    def _row(self, cell):
        has = cell.status in ("finished", "singular")
        counts = cell.direct_neighbours
        spread = (counts.min(), float(np.median(counts)), counts.max()) if counts.size else (-1, np.nan, -1)
        return {
            "dim": cell.dim,
            "eps": cell.eps,
            "status": cell.status,
            "one_step_error": cell.one_step_error if has else np.nan,
            "iterative_time": cell.iterative_time if has and cell.iterative_error.size else -1,
            "direct_time": cell.direct_time if has and cell.direct_error.size else -1,
            "persistence_time": cell.persistence_time if cell.baselines_computed else -1,
            "global_iterative_time": cell.global_iterative_time if cell.global_iterative_error.size else -1,
            "global_direct_time": cell.global_direct_time if cell.global_direct_error.size else -1,
            "neighbours_min": spread[0],
            "neighbours_median": spread[1],
            "neighbours_max": spread[2],
            "reason": cell.reason,
        }

    def table(self) -> Any:
        """One row per cell, the columns of the batch program's scan.csv.

        Missing figures are NaN (errors) or -1 (times, counts). A pandas
        DataFrame when pandas is installed, otherwise a dict of NumPy arrays.
        """
        rows = [self._row(cell) for cell in self.cells]
        columns = {name: np.array([row[name] for row in rows]) for name in self._columns}
        try:
            import pandas
        except ImportError:
            return columns
        return pandas.DataFrame(columns)

    def __repr__(self) -> str:
        finished = sum(cell.status == "finished" for cell in self.cells)
        best = "" if self.best is None else f", best dim={self.best.dim} eps={self.best.eps!r}"
        return f"<ScanResult {len(self.dims)} x {len(self.epss)} cells, {finished} finished{best}>"
