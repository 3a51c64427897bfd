"""modelcheck.scan: cells equal single checks, the figures do not depend on
the number of jobs, infeasible cells say why, the table with and without
pandas, and the GIL released while the engine runs."""

import hashlib
import json
import os
import subprocess
import sys
import threading

import numpy as np
import pytest

import modelcheck
from conftest import henon

ARRAYS = ("iterative_error", "direct_error", "direct_neighbours", "iterative_neighbours", "orbit",
          "first_piece_iterative", "first_piece_direct", "persistence_error", "global_iterative_error",
          "global_direct_error")


def same_cell(a, b):
    assert (a.dim, a.eps, a.status, a.reason) == (b.dim, b.eps, b.status, b.reason)
    for name in ARRAYS:
        assert np.array_equal(getattr(a, name), getattr(b, name), equal_nan=True), name
    assert np.array_equal(a.one_step_error, b.one_step_error, equal_nan=True)
    assert (a.iterative_time, a.direct_time) == (b.iterative_time, b.direct_time)


@pytest.fixture(scope="module")
def series():
    return henon(2500)


def test_every_cell_is_the_single_check(series):
    result = modelcheck.scan(series, 2300, [1, 2, 3], [0.02, 0.1], n_jobs=2)
    assert result.complete and len(result.cells) == 6
    for cell in result.cells:
        same_cell(cell, modelcheck.check(series, 2300, cell.dim, cell.eps, n_jobs=1))
    assert result.cell(2, 0.02) is result.cells[2]
    assert result.best is max(result.cells, key=lambda c: (c.iterative_time, c.direct_time, -c.one_step_error))


def test_a_scan_is_a_container_of_its_cells_and_becomes_plain_data(series):
    result = modelcheck.scan(series, 2300, [1, 2], [0.02, 0.1], n_jobs=-1)
    assert len(result) == 4
    assert list(result) == result.cells
    assert result[2, 0.1] is result.cell(2, 0.1)
    with pytest.raises(KeyError):
        result[3, 0.1]
    with pytest.raises(TypeError, match=r"result\[dim, eps\]"):
        result[0]
    plain = json.loads(json.dumps(result.to_dict()))
    assert (plain["dims"], plain["epss"], plain["complete"]) == ([1, 2], [0.02, 0.1], True)
    cell = plain["cells"][3]
    assert (cell["dim"], cell["eps"], cell["ntrain"], cell["ltest"], cell["ktest"]) == (2, 0.1, 2300, 30, 100)
    assert cell["iterative_error"] == result[2, 0.1].iterative_error.tolist()
    assert cell["iterative_time"] == result[2, 0.1].iterative_time
    # Equal results: the same settings and figures, whichever call made them.
    assert result[2, 0.1] == modelcheck.check(series, 2300, 2, 0.1, n_jobs=1)
    assert result[1, 0.02] != result[2, 0.1] and result[1, 0.02] != "a result"


def test_baselines_can_be_skipped(series):
    whole = modelcheck.check(series, 2300, 2, 0.05)
    alone = modelcheck.check(series, 2300, 2, 0.05, baselines=False)
    assert np.array_equal(alone.iterative_error, whole.iterative_error)
    assert not alone.baselines_computed and alone.persistence_error.size == 0
    assert (alone.persistence_time, alone.global_iterative_time, alone.global_direct_time) == (None, None, None)
    assert whole.baselines_computed and whole.persistence_time is not None


def test_progress_reports_until_done_and_its_exception_stops_the_scan(series, capsys):
    calls = []
    result = modelcheck.scan(series, None, [1, 2, 3], [0.01, 0.05, 0.1, 0.3], n_jobs=1,
                             progress=lambda done, total: calls.append((done, total)))
    # 12 cells and 3 dimensions' baselines, each reported at most once, the last time done.
    assert calls and calls[-1] == (15, 15)
    assert all(total == 15 for _, total in calls)
    assert [done for done, _ in calls] == sorted(set(done for done, _ in calls))
    same_cell(result.cells[5], modelcheck.scan(series, None, [1, 2, 3], [0.01, 0.05, 0.1, 0.3]).cells[5])

    def enough(done, total):
        raise RuntimeError("enough")

    with pytest.raises(RuntimeError, match="enough"):
        modelcheck.scan(series, None, [1, 2, 3], [0.01, 0.05, 0.1, 0.3], progress=enough)
    modelcheck.scan(series, None, [1, 2], [0.05], progress=True)
    assert "modelcheck: 100%" in capsys.readouterr().err
    with pytest.raises(TypeError, match="progress must be"):
        modelcheck.check(series, 2300, 2, 0.05, progress="yes")


def test_jobs_is_a_deprecated_alias_of_n_jobs(series):
    with pytest.warns(DeprecationWarning, match="n_jobs"):
        old = modelcheck.check(series, 2300, 2, 0.05, jobs=1)
    same_cell(old, modelcheck.check(series, 2300, 2, 0.05, n_jobs=-1))
    with pytest.raises(TypeError, match="not both"), pytest.warns(DeprecationWarning):
        modelcheck.check(series, 2300, 2, 0.05, n_jobs=1, jobs=1)


def test_jobs_one_and_two_give_the_same_scan(series):
    one = modelcheck.scan(series, None, [1, 2, 4], [0.01, 0.05, 0.3], n_jobs=1)
    two = modelcheck.scan(series, None, [1, 2, 4], [0.01, 0.05, 0.3], n_jobs=2)
    for a, b in zip(one.cells, two.cells):
        same_cell(a, b)
    assert one.table().equals(two.table())


def test_infeasible_cells_say_why_and_the_others_go_on(series):
    # 200 values after Ntrain: the test segment of D = 80 (209 values) does not fit.
    result = modelcheck.scan(series, 2300, [2, 80], [0.05, 100.0], ltest=30, ktest=100)
    assert [c.status for c in result.cells] == ["finished", "infeasible", "infeasible", "infeasible"]
    assert "above the width of the training values" in result.cells[1].reason
    assert "test segment of D = 80" in result.cells[2].reason
    table = result.table()
    assert list(table["status"]) == ["finished", "infeasible", "infeasible", "infeasible"]
    assert table["iterative_time"].isna().tolist() == [False, True, True, True]
    assert np.isnan(table["one_step_error"].iloc[3])


def test_default_training_length_leaves_room_for_the_largest_dimension(series):
    result = modelcheck.scan(series, None, [1, 5], [0.05], ltest=10, ktest=20)
    assert result.ntrain == 2500 - (10 + 20 + 5 - 1)
    with pytest.raises(ValueError, match="give smaller ltest and ktest"):
        modelcheck.scan(series[:100], None, [2], [0.05])
    with pytest.raises(TypeError):
        modelcheck.scan(series, None, 2, [0.05])
    with pytest.raises(ValueError, match="at least one"):
        modelcheck.scan(series, None, [], [0.05])


def test_tables_are_the_batch_programs_csv_files(series, tmp_path):
    # One definition of the tables: the same columns, in the same order, with
    # the same figures to the last bit and the same fields missing.
    import pandas

    path = tmp_path / "henon.txt"
    path.write_text("".join(f"{v!r}\n" for v in series))
    subprocess.run([os.environ["MODELCHECK_BATCH_PROGRAM"], str(path), "--ntrain", "2300", "--dim", "1:3",
                    "--eps", "0.05:5:2", "--ltest", "10", "--ktest", "40", "--format", "csv", "--jobs", "1",
                    "--bootstrap=50", "--surrogates", "3", "--surrogates-all", "--seed", "4",
                    "--out", str(tmp_path)], check=True, capture_output=True, timeout=120)
    result = modelcheck.scan(series, 2300, [1, 2, 3], [0.05, 5.0], ltest=10, ktest=40, bootstrap=50, seed=4,
                             surrogates=3, surrogates_all=True)
    assert result.table()["surrogate_p_value"].notna().sum() == 3
    for frame, name in ((result.table(), "scan.csv"), (result.curves(), "curves.csv")):
        written = pandas.read_csv(tmp_path / name, float_precision="round_trip", keep_default_na=False,
                                  na_values={c: [""] for c in frame.columns if c not in ("status", "reason")})
        assert list(frame.columns) == list(written.columns), name
        for column in frame.columns:
            ours, theirs = frame[column], written[column]
            assert ours.isna().tolist() == theirs.isna().tolist(), (name, column)
            kept = ~ours.isna().to_numpy()
            assert list(ours[kept]) == list(theirs[kept]), (name, column)
    assert len(result.curves()) == 6 * 10 and set(result.curves()["horizon"]) == set(range(1, 11))
    # meta.json names the series by the SHA-256 of its values as little-endian doubles, whatever its file.
    meta = json.loads((tmp_path / "meta.json").read_text())
    assert meta["series"]["sha256"] == hashlib.sha256(np.asarray(series, "<f8").tobytes()).hexdigest()
    assert (meta["settings"]["Ntrain"], meta["settings"]["Ltest"], meta["settings"]["Ktest"]) == (2300, 10, 40)


def test_table_is_a_dict_of_arrays_without_pandas(series, monkeypatch):
    result = modelcheck.scan(series, None, [2], [0.05, 1e6])
    frame = result.table()
    assert str(frame["iterative_time"].dtype) == "Int64" and frame["iterative_time"].isna().tolist() == [False, True]
    monkeypatch.setitem(sys.modules, "pandas", None)
    plain = result.table()
    assert isinstance(plain, dict) and list(plain) == list(frame.columns)
    for name in plain:
        missing = np.ma.getmaskarray(plain[name]) if np.ma.isMaskedArray(plain[name]) else frame[name].isna()
        assert list(missing) == list(frame[name].isna()), name
        assert list(np.ma.compressed(plain[name]) if np.ma.isMaskedArray(plain[name]) else plain[name][~missing]) \
            == list(frame[name].dropna()), name
    assert isinstance(result.curves(), dict) and list(result.curves()["horizon"][:3]) == [1, 2, 3]


def test_the_gil_is_released_while_the_engine_runs():
    x = henon(200000)
    counter = 0
    worker = threading.Thread(target=modelcheck.check, args=(x, 199000, 1, 0.2), kwargs=dict(n_jobs=1))
    worker.start()
    while worker.is_alive():
        counter += 1
    worker.join()
    # With the GIL held for the whole check this thread could count only between switches.
    assert counter > 100000


def test_delays_are_a_third_axis_of_the_grid(series):
    result = modelcheck.scan(series, 2300, [1, 3], [0.05, 0.2], ltest=10, ktest=40, delay=[1, 2, 60])
    assert len(result) == 12 and result.delays == [1, 2, 60]
    # Each cell is the single check with its delay; delay 1 is the undelayed check.
    assert result[3, 0.2, 2] == modelcheck.check(series, 2300, 3, 0.2, 10, 40, delay=2)
    assert result[3, 0.05, 1] == modelcheck.check(series, 2300, 3, 0.05, 10, 40)
    assert result[3, 0.05, 2] != result[3, 0.05, 1]
    # D = 3 with delay 60 spans 121 values: its test segment needs 10 + 40 + 120 after Ntrain, there are 200.
    assert result[3, 0.2, 60].status == "finished"
    with pytest.raises(KeyError, match="use result"):
        result[3, 0.2]
    table = result.table()
    assert list(table["delay"]) == [1] * 4 + [2] * 4 + [60] * 4
    assert list(result.curves()["delay"].unique()) == [1, 2, 60]
    with pytest.raises(ValueError, match="delay = 0 is out of range"):
        modelcheck.check(series, 2300, 3, 0.2, delay=0)
    with pytest.raises(ValueError, match="ktest = 40 is out of range: allowed 1 to 10"):
        modelcheck.check(series, 2300, 3, 0.2, 10, 40, delay=90)  # a state of 181 values
    # The default Ntrain leaves room for the widest state.
    assert modelcheck.scan(series, None, [3], [0.2], 10, 40, delay=[1, 5]).ntrain == 2500 - (10 + 40 + 10)


def test_a_best_cell_on_the_grids_edge_is_flagged(series):
    result = modelcheck.scan(series, 2300, [1, 2], [0.02, 0.05, 0.2], ltest=10, ktest=40)
    assert (result.best.dim, result.best.eps) == (2, 0.02)
    assert [(e["setting"], e["side"]) for e in result.best_on_edge] == [("dim", "largest"), ("eps", "smallest")]
    assert result.best_on_edge[1]["text"] == "the best eps is the smallest in the grid"
    inside = modelcheck.scan(series, 2300, [1, 2, 3], [0.01, 0.02, 0.05], ltest=10, ktest=40)
    assert (inside.best.dim, inside.best.eps) == (2, 0.02) and inside.best_on_edge == []


def test_relative_box_sizes_serve_a_rescaled_series_alike(series):
    # Times 1024 is exact: in standard deviations the boxes, and so every figure, are the same.
    settings = dict(ltest=10, ktest=40, eps_relative=True)
    one = modelcheck.scan(series, 2300, [1, 2], [0.02, 0.1], **settings)
    scaled = modelcheck.scan(series * 1024.0, 2300, [1, 2], [0.02, 0.1], **settings)
    assert scaled.eps_unit == 1024.0 * one.eps_unit
    assert one.table().equals(scaled.table())
    assert one[2, 0.02] != modelcheck.scan(series, 2300, [2], [0.02], ltest=10, ktest=40)[2, 0.02]


def test_the_metric_chooses_what_the_best_cell_is_best_at(series):
    grid = dict(ntrain=2300, dims=[1, 2, 3], epss=[0.02, 0.05, 0.2], ltest=10, ktest=40)
    by_time = modelcheck.scan(series, **grid)
    by_error = modelcheck.scan(series, **grid, metric="one_step_error")
    assert by_time.best_by == ["iterative_time", "direct_time", "one_step_error"]
    assert by_error.best_by == ["one_step_error", "iterative_time", "direct_time"]
    assert by_error.best.one_step_error == min(cell.one_step_error for cell in by_error)
    by_mean = modelcheck.scan(series, **grid, metric="mean_error")
    assert by_mean.best is min(by_mean, key=lambda cell: cell.iterative_error.mean())
    with pytest.raises(ValueError, match="metric must be"):
        modelcheck.scan(series, **grid, metric="best")
