"""scan_many: one table for many series, the same on a two-process Dask
cluster (loopback only) as here, and Ctrl-C stops it there as here."""

import time

import numpy as np
import pytest

import modelcheck.distributed
from conftest import henon, interrupt_after, logistic, write_series

distributed = pytest.importorskip("distributed")


def test_a_local_cluster_gives_the_table_run_here(tmp_path):
    path = write_series(tmp_path / "henon.txt", henon(1500))
    series = [str(path), logistic(1200), henon(1800)[300:]]
    settings = dict(dims=[1, 2], epss=[0.02, 0.1], ltest=20, ktest=50, bootstrap=20, seed=1, surrogates=3)
    calls_here, calls_there = [], []
    here = modelcheck.distributed.scan_many(series, progress=lambda *call: calls_here.append(call), **settings)
    assert list(here["series"].unique()) == [str(path), "series 1", "series 2"]
    assert len(here) == 3 * 4
    # Each series' best cell has its surrogate test; the same seed gives the same figures on the cluster.
    assert here["surrogate_p_value"].notna().sum() == 3 and here["iterative_time_low"].notna().all()
    with distributed.LocalCluster(n_workers=2, threads_per_worker=1, processes=True, host="127.0.0.1",
                                  dashboard_address=None) as cluster, distributed.Client(cluster) as client:
        there = modelcheck.distributed.scan_many(series, client=client, **settings)
        reported = modelcheck.distributed.scan_many(series, client=client,
                                                    progress=lambda *call: calls_there.append(call), **settings)
    assert here.equals(there) and here.equals(reported)
    # One report per series, in the order they finish; the table keeps the order given.
    assert calls_here == calls_there == [(1, 3), (2, 3), (3, 3)]


def test_named_series_on_a_cluster_with_a_bad_one_skipped():
    pandas = pytest.importorskip("pandas")
    series = {"henon": henon(1500), "short": [1.0, 2.0, 3.0], "logistic": logistic(1200)}
    settings = dict(dims=[1, 2], epss=[0.05], ltest=20, ktest=50)
    with pytest.raises(ValueError, match="x has 3 values, too few"):
        modelcheck.distributed.scan_many(series, **settings)
    with distributed.LocalCluster(n_workers=2, threads_per_worker=1, processes=True, host="127.0.0.1",
                                  dashboard_address=None) as cluster, distributed.Client(cluster) as client:
        with pytest.warns(UserWarning, match="1 of 3 series failed"):
            table = modelcheck.distributed.scan_many(series, errors="skip", client=client, **settings)
    assert list(table["series"].unique()) == ["henon", "logistic"]
    assert [name for name, _ in table.attrs["skipped"]] == ["short"]
    assert table.attrs["skipped"][0][1].startswith("ValueError: x has 3 values, too few")
    columns = pandas.DataFrame({"a": henon(1500), "b": henon(1501)[1:]})
    by_column = modelcheck.distributed.scan_many(columns, **settings)
    assert list(by_column["series"].unique()) == ["a", "b"]
    assert by_column[by_column["series"] == "a"].drop(columns="series").reset_index(drop=True).equals(
        table[table["series"] == "henon"].drop(columns="series").reset_index(drop=True))


def test_a_client_without_workers_times_out_with_a_clear_error():
    with distributed.LocalCluster(n_workers=0, processes=True, host="127.0.0.1",
                                  dashboard_address=None) as cluster, distributed.Client(cluster) as client:
        started = time.monotonic()
        with pytest.raises(TimeoutError, match="no Dask worker joined the client within 1.0 s"):
            modelcheck.distributed.scan_many([henon(600)], dims=[2], epss=[0.05], client=client, timeout=1.0)
        assert time.monotonic() - started < 10


def test_without_pandas_the_table_is_a_dict(monkeypatch):
    import sys

    monkeypatch.setitem(sys.modules, "pandas", None)
    table = modelcheck.distributed.scan_many([henon(600), henon(700)], dims=[2], epss=[0.05], ltest=10, ktest=20)
    assert isinstance(table, dict)
    assert list(table["series"]) == ["series 0", "series 1"]
    assert np.all(table["D"] == 2) and list(table["Ntrain"]) == [569, 669]


def test_ctrl_c_stops_scan_many_on_a_cluster_within_half_a_second():
    series = [henon(100000), henon(100000)[1:]]
    with distributed.LocalCluster(n_workers=2, threads_per_worker=1, processes=True, host="127.0.0.1",
                                  dashboard_address=None) as cluster, distributed.Client(cluster) as client:
        stopped = interrupt_after(1.0)
        with pytest.raises(KeyboardInterrupt):
            modelcheck.distributed.scan_many(series, 99000, dims=[1, 2, 3], epss=[0.1, 0.2, 0.3], client=client)
        assert time.monotonic() - stopped["at"] < 0.5
