"""modelcheck.check and read_series against the interactive program: the
same figures for the same series and settings, and every bad argument
refused with TypeError or ValueError, never a crash."""

import shutil

import numpy as np
import pytest

import modelcheck
import modelcheck.distributed
from conftest import henon, logistic, run_console, write_series

SINGULAR_FIT_SERIES = "0.0\n0.0\n50.0\n60.0\n70.0\n80.0\n90.0\n100.0\n0.001\n200.0\n0.0\n5.0\n7.0\n"


def report_figures(report):
    wanted = ("One-step prediction error", "Prediction time")
    return [line for line in report.splitlines() if any(w in line for w in wanted)]


def python_figures(result):
    lines = []
    if result.iterative_error.size:
        lines.append(f" One-step prediction error: {100 * result.one_step_error:9.5f} %")
        lines.append(f" Prediction time (iterative method):  {result.iterative_time:5d}")
    if result.direct_error.size:
        lines.append(f" Prediction time (direct method): {result.direct_time:5d}")
    return lines


CASES = [
    ("example", None, "2000", "2", "0.05", 30, 100),
    ("logistic", logistic(1500), "1200", "3", "0.02", 25, 60),
    ("henon", henon(2600), "2400", "1", "0.1", 30, 100),
    ("singular", None, "10", "1", "0.5", 2, 1),
]


@pytest.mark.parametrize("name, values, ntrain, dim, eps, ltest, ktest", CASES, ids=[c[0] for c in CASES])
def test_figures_equal_the_interactive_programs(tmp_path, console_program, example_series, name, values, ntrain,
                                                  dim, eps, ltest, ktest):
    series = tmp_path / "series.txt"
    if name == "example":
        shutil.copy(example_series, series)
    elif name == "singular":
        series.write_text(SINGULAR_FIT_SERIES)
    else:
        write_series(series, values)
    answers = ["series.txt", ntrain, dim, eps]
    answers += ["n"] if (ltest, ktest) == (30, 100) else ["y", str(ltest), str(ktest)]
    report, neighbours = run_console(console_program, tmp_path, answers + ["n"] * 4)

    x = modelcheck.read_series(series)
    result = modelcheck.check(x, int(ntrain), int(dim), float(eps), ltest, ktest, n_jobs=2)
    assert python_figures(result) == report_figures(report)
    if result.direct_error.size:
        assert "".join(f" {n:6d}\n" for n in result.direct_neighbours) == neighbours
    if name == "singular":
        assert result.status == "singular"
        assert (result.stop["phase"], result.stop["piece"], result.stop["step"]) == ("direct", 1, 1)
        assert result.stop["reason"] == "singular_fit" and result.stop["zero_diagonal"] >= 1
        assert (result.iterative_time, result.direct_time) == (0, None)
    else:
        assert result.status == "finished"
        assert result.orbit.shape == (ltest + ktest, 2)
        assert result.first_piece_direct.shape == (ltest,)


def test_result_holds_every_figure_with_the_baselines():
    x = henon(3000)
    r = modelcheck.check(x, 2800, 2, 0.05)
    for name in ("iterative_error", "direct_error", "persistence_error", "global_iterative_error",
                 "global_direct_error", "first_piece_iterative", "first_piece_direct"):
        assert getattr(r, name).shape == (30,), name
        assert getattr(r, name).dtype == np.float64
    assert r.direct_neighbours.shape == (100,)
    assert r.one_step_error == r.iterative_error[0]
    assert r.iterative_time > r.persistence_time
    assert "prediction time" in repr(r)
    # Integers are real numbers too; the figures do not depend on the jobs.
    again = modelcheck.check(np.round(x * 1e6).astype(np.int64), 2800, 2, 50000.0, n_jobs=1)
    assert again.status == "finished"


def test_a_stretched_series_gives_the_same_times_at_a_stretched_box():
    x = henon(3000)
    assert modelcheck.check(x * 4, 2800, 2, 0.2).iterative_time == modelcheck.check(x, 2800, 2, 0.05).iterative_time


BAD = [
    (dict(x=["a", "b", "c", "d"]), TypeError, "real numbers"),
    (dict(x=np.ones(50, dtype=complex)), TypeError, "real numbers"),
    (dict(x=np.array([object()] * 50)), TypeError, "real numbers"),
    (dict(x=np.ones((50, 2))), ValueError, "one-dimensional or a single column"),
    (dict(x=np.array([])), ValueError, "empty"),
    (dict(x=np.ones(3)), ValueError, "at least 4"),
    (dict(nan_at=5), ValueError, "training part"),
    (dict(nan_at=450), ValueError, "test segment"),
    (dict(dim=0), ValueError, "dim = 0 is out of range: allowed 1 to 249"),
    (dict(dim=300), ValueError, "dim = 300 is out of range: allowed 1 to 249"),
    (dict(dim=2.5), TypeError, "dim must be a whole number"),
    (dict(eps=-1.0), ValueError, "eps = -1 is out of range: allowed a positive finite number"),
    (dict(eps=float("nan")), ValueError, "eps = nan"),
    (dict(eps=50.0), ValueError, "above the width of the training values"),
    (dict(eps="0.05"), TypeError, "eps must be a real number"),
    (dict(ntrain=1), ValueError, "ntrain = 1 is out of range: allowed 2 to 497"),
    (dict(ntrain=600), ValueError, "ntrain = 600 is out of range"),
    (dict(ltest=0), ValueError, "ltest = 0 is out of range: allowed 1 to"),
    (dict(ktest=10**6), ValueError, "ktest = 1000000 is out of range: allowed 1 to"),
    (dict(threshold=0.0), ValueError, "threshold = 0 is out of range"),
    (dict(n_jobs=0), ValueError, "n_jobs = 0 is out of range"),
]


@pytest.mark.parametrize("change, error, text", BAD, ids=[f"{list(b[0])[0]}-{i}" for i, b in enumerate(BAD)])
def test_bad_arguments_raise_with_what_is_allowed(change, error, text):
    arguments = dict(x=henon(500), ntrain=400, dim=2, eps=0.05, ltest=20, ktest=50)
    nan_at = change.pop("nan_at", None)
    arguments.update(change)
    if nan_at is not None:
        arguments["x"][nan_at] = np.nan
    with pytest.raises(error, match=text.replace("(", r"\(").replace(".", r"\.")):
        modelcheck.check(**arguments)


def test_values_after_the_test_segment_may_be_anything():
    x = henon(500)
    x[-1] = np.nan
    assert modelcheck.check(x, 400, 2, 0.05, 20, 50).status == "finished"


def _figures(result):
    return (result.one_step_error, result.iterative_time, result.direct_time, result.direct_error.tolist())


def test_columns_nullable_and_masked_series_are_read_as_their_values():
    pandas = pytest.importorskip("pandas")
    x = henon(500)
    plain = _figures(modelcheck.check(x, 400, 2, 0.05, 20, 50))
    for column in (x.reshape(-1, 1), pandas.DataFrame({"x": x}), pandas.Series(x, dtype="Float64")):
        assert _figures(modelcheck.check(column, 400, 2, 0.05, 20, 50)) == plain
    # Masked values the check does not read (after the test segment) are no concern.
    late = np.ma.masked_array(x, mask=np.arange(500) >= 480)
    assert _figures(modelcheck.check(late, 400, 2, 0.05, 20, 50)) == plain
    for index, part in ((5, "training part"), (450, "test segment")):
        masked = np.ma.masked_array(x.copy(), mask=np.arange(500) == index)
        masked.data[index] = 0.5  # a value under the mask is never used, whatever it is
        with pytest.raises(ValueError, match=rf"x\[{index}\] is masked, in the {part}"):
            modelcheck.check(masked, 400, 2, 0.05, 20, 50)
    missing = pandas.Series(x, dtype="Float64")
    missing[7] = pandas.NA
    with pytest.raises(ValueError, match=r"x\[7\] is nan, in the training part"):
        modelcheck.check(missing, 400, 2, 0.05, 20, 50)
    with pytest.raises(ValueError, match="one-dimensional or a single column"):
        modelcheck.check(np.ones((500, 2)), 400, 2, 0.05, 20, 50)


def test_read_series_reads_as_the_program_and_names_failures(tmp_path, example_series):
    x = modelcheck.read_series(example_series)
    assert x.dtype == np.float64 and x.shape == (3000,)
    (tmp_path / "implied.txt").write_text("12345\n-1.5\n" + f"{'  25.0':20}text beyond column 20\n")
    with pytest.warns(UserWarning, match="1 value had no decimal point"):
        fixed = modelcheck.read_series(tmp_path / "implied.txt", format="fixed")
    assert fixed.tolist() == [12345e-10, -1.5, 25.0]
    with pytest.raises(FileNotFoundError, match="absent.txt"):
        modelcheck.read_series(tmp_path / "absent.txt")
    (tmp_path / "bad.txt").write_text("1.0\nnot a number\n")
    with pytest.raises(ValueError, match="line 2: \"not a number\": not a number"):
        modelcheck.read_series(tmp_path / "bad.txt")
    with pytest.raises(IsADirectoryError):
        modelcheck.read_series(tmp_path)


def test_help_reads_like_numpys():
    doc = modelcheck.check.__doc__
    for section in ("Parameters\n    ----------", "Returns\n    -------", "Raises\n    ------", "Examples"):
        assert section in doc
    for function in (modelcheck.scan, modelcheck.read_series, modelcheck.distributed.scan_many):
        assert "Parameters" in function.__doc__ and "Returns" in function.__doc__


def test_the_package_is_typed_for_a_strict_type_checker():
    pytest.importorskip("mypy")
    import os
    import pathlib
    import subprocess
    import sys

    usage = pathlib.Path(__file__).with_name("typed_usage.py")
    run = subprocess.run([sys.executable, "-m", "mypy", "--strict", "--no-incremental", "--cache-dir", os.devnull,
                          str(usage)], capture_output=True, text=True, env=dict(os.environ, MYPYPATH=""))
    assert run.returncode == 0, run.stdout + run.stderr


def test_skip_piece_gives_figures_for_quantised_data():
    # Henon values rounded to steps of 0.05 and a box smaller than a step:
    # neighbours share their values exactly and some fits are singular.
    x = np.round(henon(3000) / 0.05) * 0.05
    stopped = modelcheck.check(x, 2800, 2, 0.04, 10, 100)
    assert stopped.status == "singular"
    skipped = modelcheck.check(x, 2800, 2, 0.04, 10, 100, on_singular="skip-piece")
    assert skipped.status == "finished" and skipped.stop is None
    assert 0 < skipped.iterative_skipped_pieces < 100 and 0 < skipped.direct_skipped_pieces < 100
    assert np.all(np.isfinite(skipped.iterative_error)) and skipped.iterative_time is not None
    table = modelcheck.scan(x, 2800, [2], [0.04], 10, 100, on_singular="skip-piece").table()
    assert table["iterative_skipped_pieces"][0] == skipped.iterative_skipped_pieces
    with pytest.raises(ValueError, match='on_singular must be "stop" or "skip-piece"'):
        modelcheck.check(x, 2800, 2, 0.04, on_singular="skip")
