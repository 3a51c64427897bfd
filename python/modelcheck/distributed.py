"""Scans of many series on a Dask cluster.

``scan_many`` sends one :func:`modelcheck.scan` per series to a
``dask.distributed`` client and gathers one table; without a client it runs
the scans here, one after another. The workers need this package importable
(the same PYTHONPATH).
"""

from __future__ import annotations

import os
import warnings
from typing import Any, Optional, Sequence

import numpy as np

import modelcheck
from modelcheck import _core
from modelcheck._results import _columns, _frame


def _empty_scan_columns():
    # Every column of scan.csv with no rows: what is left when every series was skipped.
    return _columns({name: {"kind": kind, "values": [], "absent": []} for name, kind in _core.table_columns("scan")})


def _scan_table(item, ntrain, dims, epss, ltest, ktest, threshold, n_jobs, baselines, skip_errors, delay=1,
                on_singular="stop", eps_relative=False, bootstrap=False, seed=0, surrogates=0, surrogates_all=False):
    # Runs on a worker: a path is read there, so only the table travels back.
    # With skip_errors a failure comes back as its text instead of a table.
    import modelcheck

    try:
        values = modelcheck.read_series(item) if isinstance(item, (str, os.PathLike)) else item
        result = modelcheck.scan(values, ntrain, dims, epss, ltest, ktest, threshold=threshold, n_jobs=n_jobs,
                                 baselines=baselines, delay=delay, on_singular=on_singular,
                                 eps_relative=eps_relative, bootstrap=bootstrap, seed=seed, surrogates=surrogates,
                                 surrogates_all=surrogates_all)
    except Exception as error:
        if not skip_errors:
            raise
        return f"{type(error).__name__}: {error}"
    return result._columns("scan")


def _named_series(series):
    """(name, series) pairs: a dict's keys, a DataFrame's columns, a path, or "series i"."""
    if isinstance(series, dict):
        return [(str(name), item) for name, item in series.items()]
    if hasattr(series, "columns") and hasattr(series, "items") and not isinstance(series, np.ndarray):
        return [(str(name), column) for name, column in series.items()]
    named = []
    for index, item in enumerate(series):
        named.append((os.fspath(item) if isinstance(item, (str, os.PathLike)) else f"series {index}", item))
    return named


def _wait_for_workers(client, timeout):
    try:
        client.wait_for_workers(1, timeout=timeout)
    except (TimeoutError, OSError) as error:
        raise TimeoutError(
            f"no Dask worker joined the client within {timeout} s: start workers for its scheduler, "
            "or pass a client that has some (or client=None to scan here)"
        ) from error


def _run_all(named, arguments, client, timeout, report):
    """Each series' table (or, skipping errors, its error text), in the order given."""
    total = len(named)
    if client is None:
        outcomes = []
        for _, item in named:
            outcomes.append(_scan_table(item, *arguments))
            if report is not None:
                report(len(outcomes), total)
        return outcomes
    _wait_for_workers(client, timeout)
    # Arrays go to the cluster once, as data, not inside the task graph.
    items = [item if isinstance(item, (str, os.PathLike)) else client.scatter([item], hash=False)[0]
             for _, item in named]
    futures = [client.submit(_scan_table, item, *arguments, pure=False) for item in items]
    try:
        if report is None:
            return client.gather(futures)
        from distributed import as_completed

        place = {future.key: index for index, future in enumerate(futures)}
        outcomes = [None] * total
        for done, future in enumerate(as_completed(futures), start=1):
            outcomes[place[future.key]] = future.result()
            report(done, total)
        return outcomes
    except BaseException:
        # Ctrl-C or a failure here stops the work there too, instead of leaving the workers busy.
        client.cancel(futures)
        raise


def scan_many(series: Any, ntrain: Optional[int] = None, dims: Sequence[int] = (2,), epss: Sequence[float] = (0.05,),
              ltest: int = 30, ktest: int = 100, *, threshold: float = 0.05, n_jobs: Optional[int] = None,
              baselines: bool = True, errors: str = "raise", client: Any = None, timeout: float = 60.0,
              progress: Any = None, delay: Any = 1, on_singular: str = "stop", eps_relative: bool = False,
              bootstrap: Any = False, seed: int = 0, surrogates: int = 0, surrogates_all: bool = False,
              jobs: Optional[int] = None) -> Any:
    """Scan many series, on a Dask cluster when given a client.

    Parameters
    ----------
    series : dict, DataFrame or iterable of str, os.PathLike or array_like
        Series files (read on the workers with :func:`modelcheck.read_series`)
        or 1-D arrays (scattered to them once). A dict names each series by
        its key, a DataFrame by its column; otherwise a file is named by its
        path and an array "series i".
    ntrain : int or None
        Training length for every series; None takes each series' length less
        what the tests need (as :func:`modelcheck.scan`).
    dims, epss, ltest, ktest, threshold, baselines
        The grid and settings, as for :func:`modelcheck.scan`.
    n_jobs : int or None
        Threads per scan. None: 1 on a cluster (its workers already run in
        parallel), every core here; -1: every core. ``jobs`` is its
        deprecated former name.
    errors : {"raise", "skip"}
        "raise" (default): the first series that fails raises its error.
        "skip": a series that fails is left out of the table, and the
        table's ``attrs["skipped"]`` lists ``(name, error)`` for each (a
        warning says how many).
    client : dask.distributed.Client or None
        Where to run. ``Client(LocalCluster(n_workers=4))`` for this machine,
        ``Client("tcp://scheduler:8786")`` for a running scheduler; None runs
        here.
    timeout : float
        Seconds to wait for the client's first worker before raising
        TimeoutError. Default 60.
    progress : bool or callable, optional
        Progress over the series, as :func:`modelcheck.scan` gives it over
        cells: True shows a tqdm bar, a callable gets ``progress(done,
        total)`` here whenever a series is done (in the order they finish).
    delay, on_singular, eps_relative : optional
        As for :func:`modelcheck.scan`. Defaults 1, "stop" and False: with
        ``eps_relative=True`` one grid of box sizes serves every series.
    bootstrap, seed, surrogates, surrogates_all : optional
        As for :func:`modelcheck.scan`: every series' table then has its
        intervals and its surrogate test's p-value (the same seed for each
        series). Defaults False, 0, 0 and False.

    Returns
    -------
    pandas.DataFrame or dict of numpy.ndarray
        The rows of every series' ``ScanResult.table()``, series by series in
        the order given, with a first column ``series`` (its name). A
        DataFrame when pandas is installed.

    Raises
    ------
    TypeError, ValueError, OSError
        As :func:`modelcheck.scan` and :func:`modelcheck.read_series` raise them
        for the first series that fails (with ``errors="raise"``).
    TimeoutError
        No worker joined the client within `timeout` seconds.
    """
    if errors not in ("raise", "skip"):
        raise ValueError(f'errors must be "raise" or "skip", not {errors!r}')
    named = _named_series(series)
    n_jobs = modelcheck._jobs_alias(n_jobs, jobs, stacklevel=3)
    if client is not None and n_jobs is None:
        n_jobs = 1
    arguments = (ntrain, list(dims), list(epss), ltest, ktest, threshold, n_jobs, baselines, errors == "skip", delay,
                 on_singular, eps_relative, bootstrap, seed, surrogates, surrogates_all)
    report = modelcheck._progress(progress)
    try:
        outcomes = _run_all(named, arguments, client, timeout, report)
    finally:
        if isinstance(report, modelcheck._Bar):
            report.close()
    skipped = [(name, outcome) for (name, _), outcome in zip(named, outcomes) if isinstance(outcome, str)]
    kept = [(name, outcome) for (name, _), outcome in zip(named, outcomes) if not isinstance(outcome, str)]
    if skipped:
        warnings.warn(f"{len(skipped)} of {len(named)} series failed and are left out: "
                      + "; ".join(f"{name}: {error}" for name, error in skipped), stacklevel=2)
    tables = [table for _, table in kept] or [_empty_scan_columns()]
    columns = {"series": np.array([name for name, table in kept for _ in range(len(table["D"]))], dtype=object)}
    for column in tables[0]:
        parts = [table[column] for table in tables]
        masked = isinstance(parts[0], np.ma.MaskedArray)
        columns[column] = np.ma.concatenate(parts) if masked else np.concatenate(parts)
    frame = _frame(columns)
    if hasattr(frame, "attrs"):
        frame.attrs["skipped"] = skipped
    return frame
