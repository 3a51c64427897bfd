"""Scans of many series on a Dask cluster.

``scan_many`` sends one :func:`modelcheck.scan` per series to a
``dask.distributed`` client and gathers one table; without a client it runs
the scans here, one after another. The workers need this package importable
(the same PYTHONPATH).
"""

from __future__ import annotations

import os
import warnings

import numpy as np


def _scan_table(item, ntrain, dims, epss, ltest, ktest, threshold, n_jobs, baselines):
    # Runs on a worker: a path is read there, so only the table travels back.
    import modelcheck

    values = modelcheck.read_series(item) if isinstance(item, (str, os.PathLike)) else item
    table = modelcheck.scan(values, ntrain, dims, epss, ltest, ktest, threshold=threshold, n_jobs=n_jobs,
                          baselines=baselines).table()
    return dict(table) if not isinstance(table, dict) else table


def _name(item, index):
    return os.fspath(item) if isinstance(item, (str, os.PathLike)) else f"series {index}"


def scan_many(series, ntrain=None, dims=(2,), epss=(0.05,), ltest=30, ktest=100, *, threshold=0.05, n_jobs=None,
              baselines=True, client=None, jobs=None):
    """Scan many series, on a Dask cluster when given a client.

    Parameters
    ----------
    series : iterable of str, os.PathLike or array_like
        Series files (read on the workers with :func:`modelcheck.read_series`)
        or 1-D arrays (sent to them).
    ntrain : int or None
        Training length for every series; None takes each series' length less
        what the tests need (as :func:`modelcheck.scan`).
    dims, epss, ltest, ktest, threshold, baselines
        The grid and settings, as for :func:`modelcheck.scan`.
    n_jobs : int or None
        Threads per scan. None: 1 on a cluster (its workers already run in
        parallel), every core here; -1: every core. ``jobs`` is its
        deprecated former name.
    client : dask.distributed.Client or None
        Where to run. ``Client(LocalCluster(n_workers=4))`` for this machine,
        ``Client("tcp://scheduler:8786")`` for a running scheduler; None runs
        here.

    Returns
    -------
    pandas.DataFrame or dict of numpy.ndarray
        The rows of every series' ``ScanResult.table()``, series by series in
        the order given, with a first column ``series`` (the path, or
        "series i" for the i-th array). A DataFrame when pandas is installed.

    Raises
    ------
    TypeError, ValueError, OSError
        As :func:`modelcheck.scan` and :func:`modelcheck.read_series` raise them
        for the first series that fails.
    """
    items = list(series)
    if jobs is not None:
        warnings.warn("jobs is deprecated; use n_jobs (-1 or None: every core)", DeprecationWarning, stacklevel=2)
        if n_jobs is not None:
            raise TypeError("give n_jobs or its deprecated alias jobs, not both")
        n_jobs = jobs
    if client is not None and n_jobs is None:
        n_jobs = 1
    arguments = (ntrain, list(dims), list(epss), ltest, ktest, threshold, n_jobs, baselines)
    if client is None:
        tables = [_scan_table(item, *arguments) for item in items]
    else:
        futures = [client.submit(_scan_table, item, *arguments, pure=False) for item in items]
        try:
            tables = client.gather(futures)
        except KeyboardInterrupt:
            # Ctrl-C here stops the work there too, instead of leaving the workers busy.
            client.cancel(futures)
            raise
    columns = {"series": np.array([_name(item, i) for i, (item, t) in enumerate(zip(items, tables))
                                   for _ in range(len(t["dim"]))], dtype=object)}
    for name in (tables[0] if tables else {}):
        columns[name] = np.concatenate([np.asarray(t[name]) for t in tables])
    try:
        import pandas
    except ImportError:
        return columns
    return pandas.DataFrame(columns)
