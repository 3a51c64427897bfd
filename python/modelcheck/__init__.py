"""How well a local affine model map predicts a measured time series.

The functions of this package run the model check of the interactive
``modelcheck`` program on NumPy arrays and give its figures to the last digit:

- :func:`check` runs one check (the model's orbit, the iterative and the direct
  prediction test) beside two baselines;
- :func:`scan` runs a check for every dimension and box size of a grid;
- :func:`surrogate_test` compares a check with the same check of IAAFT
  surrogate data;
- :func:`read_series` reads a series file: plain numbers, a column of a table,
  gzip, zstd and NumPy files, or the interactive program's fixed records;
- :func:`modelcheck.distributed.scan_many` sends scans of many series to a
  Dask cluster.

Errors are normalised root-mean-square errors per horizon, in units of the
training part's standard deviation; a prediction time is the number of
leading horizons whose error is at most the threshold (0.05).
"""

from __future__ import annotations

import operator
import os
import warnings
from typing import Callable, Optional, Sequence, Union

import numpy as np
import numpy.typing as npt

from . import _core
from ._results import CheckResult, ScanResult, SurrogateTest
from ._series_file import SeriesArray, SeriesFile

__all__ = ["check", "scan", "surrogate_test", "read_series", "CheckResult", "ScanResult", "SurrogateTest",
           "SeriesArray", "SeriesFile", "__version__"]
__version__ = _core.__version__


_LARGEST = 2**63 - 1


def _whole(name, value):
    try:
        number = operator.index(value)
    except TypeError:
        raise TypeError(f"{name} must be a whole number, not {type(value).__name__}") from None
    # Past 64 bits no setting can be in range; the core names the range of the rest.
    return max(-_LARGEST, min(_LARGEST, number))


def _real(name, value):
    if isinstance(value, (bool, np.bool_)) or not isinstance(value, (int, float, np.integer, np.floating)):
        raise TypeError(f"{name} must be a real number, not {type(value).__name__}")
    return float(value)


def _series(x):
    """x as a contiguous float64 array and its mask (None when nothing is masked),
    refused as the interactive program would refuse it."""
    mask = None
    if np.ma.isMaskedArray(x):
        mask = np.ma.getmaskarray(x)
        x = np.ma.getdata(x)
    try:
        array = np.asarray(x)
    except Exception as error:  # ragged lists and the like
        raise TypeError(f"x must be a 1-D array of real numbers: {error}") from None
    if array.dtype.kind == "O" and hasattr(x, "to_numpy"):
        # pandas' nullable dtypes (Float64, Int64) arrive as objects; a
        # missing value becomes NaN, refused where a check reads it.
        try:
            array = x.to_numpy(dtype=np.float64, na_value=np.nan)
        except (TypeError, ValueError):
            pass
    if array.dtype.kind not in "fiu":
        raise TypeError(f"x must hold real numbers, not values of dtype {array.dtype}")
    if array.ndim == 2 and array.shape[1] == 1:
        # A column, as a one-column table or an (n, 1) array gives it.
        array = array[:, 0]
        mask = None if mask is None else np.asarray(mask)[:, 0]
    if array.ndim != 1:
        raise ValueError(f"x must be one-dimensional or a single column; its shape is {array.shape}")
    if array.size == 0:
        raise ValueError("x is empty; a check needs at least 4 values")
    if mask is not None and not mask.any():
        mask = None
    return np.ascontiguousarray(array, dtype=np.float64), mask


def _require_unmasked(mask, ntrain, used):
    """Refuses a masked value where the check reads it: x[0:used]."""
    if mask is None or ntrain < 0 or used <= 0:
        return
    masked = np.flatnonzero(mask[:used])
    if masked.size:
        index = int(masked[0])
        part = "training part" if index < ntrain else "test segment"
        raise ValueError(
            f"x[{index}] is masked, in the {part}: the values a check reads must be present "
            "(fill or drop the masked values first)"
        )


def _default_ntrain(count, ltest, ktest, widest):
    # `widest`: the largest (dim - 1) * delay, the span of the widest state less one.
    ntrain = count - (ltest + ktest + widest)
    if ntrain < 2:
        raise ValueError(
            f"x has {count} values, too few for the tests ({ltest + ktest + widest} values "
            f"after a training part of at least 2): give smaller ltest and ktest"
        )
    return ntrain


def _jobs_alias(n_jobs, jobs, stacklevel=4):
    """n_jobs, or the value given under its deprecated former name (the
    warning points `stacklevel` frames up: at the user's call)."""
    if jobs is None:
        return n_jobs
    warnings.warn("jobs is deprecated; use n_jobs (-1 or None: every core)", DeprecationWarning,
                  stacklevel=stacklevel)
    if n_jobs is not None:
        raise TypeError("give n_jobs or its deprecated alias jobs, not both")
    return jobs


def _n_jobs(n_jobs, jobs):
    """The thread count for the core: 0 for every core (None or -1)."""
    n_jobs = _jobs_alias(n_jobs, jobs)
    if n_jobs is None:
        return 0
    n_jobs = _whole("n_jobs", n_jobs)
    if n_jobs == -1:
        return 0
    if not 1 <= n_jobs <= 1024:
        raise ValueError(f"n_jobs = {n_jobs} is out of range: allowed 1 to 1024, or -1 or None for every core")
    return n_jobs


class _Bar:
    """A tqdm bar over the cells and baselines of a scan, made at the first report."""

    def __init__(self, tqdm):
        self._tqdm = tqdm
        self._bar = None

    def __call__(self, done, total):
        # A surrogate test after the scan counts again from 0: a bar of its own.
        if self._bar is not None and self._bar.total != total:
            self._bar.close()
            self._bar = None
        if self._bar is None:
            self._bar = self._tqdm(total=total, unit="check", desc="modelcheck")
        self._bar.update(done - self._bar.n)

    def close(self):
        if self._bar is not None:
            self._bar.close()


def _progress(progress):
    """The callable the core reports to, or None."""
    if progress is None or progress is False:
        return None
    if progress is True:
        try:
            from tqdm.auto import tqdm
        except ImportError:
            warnings.warn("progress=True shows a bar with tqdm, which is not installed", stacklevel=3)
            return None
        return _Bar(tqdm)
    if callable(progress):
        return progress
    raise TypeError(f"progress must be True, False, None or a callable progress(done, total), not {progress!r}")


def _delays(delay, name="delay"):
    """A delay or a sequence of them, as a list of whole numbers."""
    if isinstance(delay, (list, tuple, range, np.ndarray)):
        delays = [_whole(name, d) for d in delay]
        if not delays:
            raise ValueError(f"{name} must hold at least one delay")
        return delays
    return [_whole(name, delay)]


def _skip_singular(on_singular):
    if on_singular not in ("stop", "skip-piece"):
        raise ValueError(f'on_singular must be "stop" or "skip-piece", not {on_singular!r}')
    return on_singular == "skip-piece"


def _bootstrap(bootstrap):
    """The number of bootstrap resamples: 0 for none, 1000 for True."""
    if bootstrap is None or bootstrap is False:
        return 0
    if bootstrap is True:
        return 1000
    resamples = _whole("bootstrap", bootstrap)
    if not 1 <= resamples <= 1_000_000:
        raise ValueError(f"bootstrap = {resamples} is out of range: allowed True, False or 1 to 1000000 resamples")
    return resamples


def _seed(seed):
    seed = _whole("seed", seed)
    if not 0 <= seed <= _LARGEST:
        raise ValueError(f"seed = {seed} is out of range: allowed 0 to {_LARGEST}")
    return seed


def _surrogate_count(n, name, fewest):
    n = _whole(name, n)
    if not fewest <= n <= 100_000:
        raise ValueError(f"{name} = {n} is out of range: allowed {fewest} to 100000")
    return n


def _run(x, ntrain, dims, epss, ltest, ktest, threshold, n_jobs, grid, baselines, progress, delays=(1,),
         on_singular="stop", eps_relative=False, metric="iterative_time", bootstrap=0, seed=0, surrogates=0,
         surrogates_all=False):
    array, mask = _series(x)
    ltest = _whole("ltest", ltest)
    ktest = _whole("ktest", ktest)
    threshold = _real("threshold", threshold)
    widest = (max(max(dims), 1) - 1) * max(max(delays), 1)
    if ntrain is None:
        ntrain = _default_ntrain(array.size, ltest, ktest, widest)
    ntrain = _whole("ntrain", ntrain)
    _require_unmasked(mask, ntrain, ntrain + ltest + ktest + widest)
    skip = _skip_singular(on_singular)
    report = _progress(progress)
    try:
        raw = _core.scan(array, ntrain, dims, epss, ltest, ktest, threshold, n_jobs, grid, bool(baselines), report,
                         list(delays), skip, bool(eps_relative), str(metric), bootstrap, seed, surrogates,
                         bool(surrogates_all))
    finally:
        if isinstance(report, _Bar):
            report.close()
    return raw, array.size


Progress = Union[bool, None, Callable[[int, int], object]]


def check(x: npt.ArrayLike, ntrain: int, dim: int, eps: float, ltest: int = 30, ktest: int = 100, *,
          threshold: float = 0.05, n_jobs: Optional[int] = None, baselines: bool = True, progress: Progress = None,
          delay: int = 1, on_singular: str = "stop", bootstrap: Union[bool, int] = False, seed: int = 0,
          jobs: Optional[int] = None) -> CheckResult:
    """Check how well the local affine model of dimension `dim` predicts `x`.

    The first `ntrain` values of `x` are the training part; the
    ``ltest + ktest + (dim - 1) * delay`` values after it are the test
    segment. A state is ``dim`` values `delay` apart, ``(x[n - (dim - 1) *
    delay], ..., x[n - delay], x[n])``; with the default delay 1, `dim`
    consecutive values, as in the interactive program. To
    predict the value after a state, the model fits
    an affine map by least squares to the training states within `eps` of the
    state in every component (with fewer than ``dim + 1`` such neighbours: the
    mean of their successors; with none: the state's newest value). The check
    runs the model freely from the start of the test segment (its orbit), and
    as an iterative and a direct predictor from each of `ktest` test pieces,
    `ltest` steps each, exactly as the interactive program does.

    Parameters
    ----------
    x : array_like, 1-D or a single column
        The series, real numbers (integers are converted to float64): a list,
        an array, an ``(n, 1)`` column, a one-column DataFrame or a pandas
        Series, also of a nullable dtype such as ``Float64``. The values a
        check reads (training part and test segment) must be finite and
        present: the interactive program's reader reads no NaN or infinity,
        so its checks never meet one, and here a NaN, an infinity, a pandas
        ``NA`` or a value under a masked array's mask raises ValueError with
        its index. Values after the test segment may be anything.
    ntrain : int
        Length of the training part, 2 to ``len(x) - (dim - 1) * delay - 2``.
    dim : int
        Dimension D of the model map, from 1 and below `ntrain`.
    eps : float
        Box half-width of a neighbourhood, in the units of `x`: above 0 and at
        most the width (maximum - minimum) of the training values.
    ltest : int, optional
        Length of a test piece (horizons 1..ltest). Default 30.
    ktest : int, optional
        Number of test pieces. Default 100. The test segment must fit after
        the training part.
    threshold : float, optional
        Error at or below which a horizon counts as predicted, held in single
        precision as the interactive program holds its 0.05. Default 0.05.
    n_jobs : int or None, optional
        Threads to compute on; None (default) or -1 uses every core. The
        figures do not depend on it. ``jobs`` is its deprecated former name.
    baselines : bool, optional
        False skips the baselines (persistence and the global affine model):
        their errors are then empty and their times None. Default True.
    progress : bool or callable, optional
        True shows a tqdm bar (when tqdm is installed); a callable is called
        as ``progress(done, total)`` on this thread whenever more of the
        work has finished (the check and each baseline count as one), the
        last time with ``done == total``; an exception it raises stops the
        work and is raised here. Default None: no progress.
    delay : int, optional
        Delay tau between the values of a state, from 1; the state must fit
        in the training part with a value after it. Default 1.
    on_singular : {"stop", "skip-piece"}, optional
        What an exactly singular fit does: "stop" ends the check there (as
        the interactive program does; the result is 'singular'), "skip-piece"
        leaves its test piece out of that test's errors and counts it
        (``iterative_skipped_pieces``, ``direct_skipped_pieces``; a singular
        fit in the orbit ends the orbit early, ``orbit_stop``), so that
        quantised data gives figures. Default "stop".
    bootstrap : bool or int, optional
        True (1000 resamples) or a number of resamples: 90 % intervals of
        every horizon's error and of both prediction times, from resamples of
        the test pieces drawn with replacement (``iterative_error_low``,
        ``iterative_time_interval``, ...). Default False: none.
    seed : int, optional
        Seed of the bootstrap's draws: the same seed gives the same intervals
        to the last bit, for any `n_jobs`. Default 0.

    Returns
    -------
    CheckResult
        ``iterative_error`` and ``direct_error`` (per horizon), ``one_step_error``,
        ``iterative_time`` and ``direct_time`` (steps), ``direct_neighbours`` (per
        test piece), ``orbit`` (an ``(ltest + ktest, 2)`` array of delay-plane
        points), ``first_piece_iterative`` and ``first_piece_direct`` (the first
        piece's predictions), ``status`` ('finished', or 'singular' with ``stop``
        saying where) and the baselines (``persistence_error``,
        ``global_iterative_error``, ``global_direct_error`` and their times).

    Raises
    ------
    TypeError
        `x` does not hold real numbers, or a setting has the wrong type.
    ValueError
        `x` is not 1-D, is empty or too short, holds a NaN or infinity where the
        check reads, or a setting is out of range (the message says what is
        allowed).

    See Also
    --------
    scan : the same check over a grid of dimensions and box sizes.

    Examples
    --------
    >>> import numpy as np, modelcheck
    >>> x = np.empty(3000); a, b = 0.1, 0.1
    >>> for i in range(3100):
    ...     a, b = 1 - 1.4 * a * a + b, 0.3 * a
    ...     if i >= 100: x[i - 100] = a
    >>> r = modelcheck.check(x, ntrain=2800, dim=2, eps=0.05)
    >>> r.iterative_time > r.persistence_time
    True
    """
    dim = _whole("dim", dim)
    eps = _real("eps", eps)
    delay = _whole("delay", delay)
    raw, count = _run(x, ntrain, [dim], [eps], ltest, ktest, threshold, _n_jobs(n_jobs, jobs), False, baselines, progress,
                      [delay], on_singular, bootstrap=_bootstrap(bootstrap), seed=_seed(seed))
    cell = raw["cells"][0]
    if cell["status"] == "infeasible":
        raise ValueError(cell["reason"])
    return CheckResult(cell, raw["ntrain"], ltest, ktest, raw["threshold"])


def scan(x: npt.ArrayLike, ntrain: Optional[int], dims: Sequence[int], epss: Sequence[float], ltest: int = 30,
         ktest: int = 100, *, threshold: float = 0.05, n_jobs: Optional[int] = None, baselines: bool = True,
         progress: Progress = None, delay: Union[int, Sequence[int]] = 1, on_singular: str = "stop",
         eps_relative: bool = False, metric: str = "iterative_time", bootstrap: Union[bool, int] = False,
         seed: int = 0, surrogates: int = 0, surrogates_all: bool = False, jobs: Optional[int] = None) -> ScanResult:
    """Run :func:`check` for every dimension in `dims` and box size in `epss` (and delay in `delay`).

    Each cell of the grid is one whole check, computed as :func:`check` and the
    interactive program compute it, beside the baselines of its dimension. A
    cell that stops on an exactly singular fit is a result ('singular', with
    where it stopped); a cell whose settings do not fit the series (no room for
    the test segment of its dimension, or eps above the width of the training
    values) is 'infeasible' with the reason. The other cells go on.

    Parameters
    ----------
    x : array_like, 1-D
        The series, as for :func:`check`.
    ntrain : int or None
        Length of the training part; None takes ``len(x)`` less the
        ``ltest + ktest + (max(dims) - 1) * max(delay)`` values the tests
        need.
    dims : sequence of int
        Dimensions D, each from 1 and below `ntrain`.
    epss : sequence of float
        Box sizes, each above 0 and finite.
    ltest, ktest, threshold, n_jobs, baselines, progress, on_singular
        As for :func:`check` (progress counts cells and baselines); cells run in parallel on `n_jobs` threads and the
        figures are the same for any number.
    eps_relative : bool, optional
        True: every eps is in units of the training part's standard
        deviation (population), so that one grid serves many series; the
        cells and tables keep eps as given, ``eps_unit`` on the result is the
        deviation. Default False.
    metric : str, optional
        What ``best`` is best at: "iterative_time" (default), "direct_time",
        "one_step_error" or "mean_error" (the mean iterative error over the
        horizons); ties go to the next figures, as ``best_by`` lists them.
    delay : int or sequence of int, optional
        A delay, or several scanned as a third axis (cells delay-major, then
        dimension-major; a state that does not fit makes its cells
        'infeasible'). Default 1.
    bootstrap, seed : optional
        As for :func:`check`, for every cell; the seed also seeds the
        surrogates.
    surrogates : int, optional
        After the scan, test the best cell against this many IAAFT
        surrogates of the series (see :func:`surrogate_test`); the result's
        ``surrogates`` and the tables' surrogate columns hold the test.
        Default 0: none.
    surrogates_all : bool, optional
        Test every finished cell, not only the best. Default False.

    Returns
    -------
    ScanResult
        ``cells`` (a CheckResult-like record per cell, delay-major, then dimension-major),
        ``best`` (the cell with the longest iterative, then direct, prediction
        time, then the smallest one-step error; None when no cell finished),
        ``complete``, ``table()`` (one row per cell) and ``curves()`` (one
        row per cell and horizon): the batch program's scan.csv and
        curves.csv as pandas DataFrames when pandas is installed, otherwise
        dicts of NumPy arrays.

    Raises
    ------
    TypeError, ValueError
        As for :func:`check`.
    """
    try:
        dims = [_whole("dims", d) for d in dims]
        epss = [_real("epss", e) for e in epss]
    except TypeError as error:
        if "not iterable" in str(error):
            raise TypeError("dims and epss must be sequences") from None
        raise
    if not dims or not epss:
        raise ValueError("dims and epss must each hold at least one value")
    delays = _delays(delay)
    raw, count = _run(x, ntrain, dims, epss, ltest, ktest, threshold, _n_jobs(n_jobs, jobs), True, baselines, progress,
                      delays, on_singular, eps_relative, metric, _bootstrap(bootstrap), _seed(seed),
                      _surrogate_count(surrogates, "surrogates", 0), surrogates_all)
    return ScanResult(raw, dims, epss, ltest, ktest, delays)


def surrogate_test(x: npt.ArrayLike, ntrain: int, dim: int, eps: float, ltest: int = 30, ktest: int = 100, *,
                   n: int = 99, seed: int = 0, threshold: float = 0.05, n_jobs: Optional[int] = None,
                   progress: Progress = None, delay: int = 1, on_singular: str = "stop",
                   bootstrap: Union[bool, int] = False) -> SurrogateTest:
    """Is the model's one-step error smaller than surrogate data would give?

    Runs :func:`check` on `x`, then the same check on `n` iterative
    amplitude-adjusted Fourier-transform (IAAFT) surrogates of the values it
    reads: the same values in another order, with nearly the same
    periodogram, as a linear Gaussian process seen through a fixed monotone
    measurement function would give. A p-value near ``1 / (n + 1)`` says the
    model finds structure that such a process lacks. Surrogate ``i`` depends
    on `seed` and ``i`` alone: the same seed gives the same figures to the
    last bit, for any `n_jobs`.

    Parameters
    ----------
    x, ntrain, dim, eps, ltest, ktest, threshold, n_jobs, delay, on_singular, bootstrap
        As for :func:`check` (the baselines are not computed).
    n : int, optional
        Number of surrogates, from 1; 19 allows p = 0.05, 99 allows p = 0.01.
        Default 99.
    seed : int, optional
        Seed of the surrogates (and of the bootstrap). Default 0.
    progress : bool or callable, optional
        As for :func:`check`; the surrogates report again from 0 to `n`.

    Returns
    -------
    SurrogateTest
        ``p_value``, the series' check (``cell``), and per surrogate its
        one-step error and prediction times.

    Raises
    ------
    TypeError, ValueError
        As for :func:`check`; ValueError also when the series' check has no
        one-step error to compare (it stopped on a singular fit).

    Examples
    --------
    >>> import numpy as np, modelcheck
    >>> x = np.empty(3000); a, b = 0.1, 0.1
    >>> for i in range(3100):
    ...     a, b = 1 - 1.4 * a * a + b, 0.3 * a
    ...     if i >= 100: x[i - 100] = a
    >>> modelcheck.surrogate_test(x, 2800, 2, 0.05, n=19).p_value
    0.05
    """
    dim = _whole("dim", dim)
    eps = _real("eps", eps)
    delay = _whole("delay", delay)
    n = _surrogate_count(n, "n", 1)
    raw, count = _run(x, ntrain, [dim], [eps], ltest, ktest, threshold, _n_jobs(n_jobs, None), False, False, progress,
                      [delay], on_singular, bootstrap=_bootstrap(bootstrap), seed=_seed(seed), surrogates=n)
    cell = raw["cells"][0]
    if cell["status"] == "infeasible":
        raise ValueError(cell["reason"])
    result = ScanResult(raw, [dim], [eps], ltest, ktest, [delay])
    if not result.surrogates:
        raise ValueError("the check stopped on a singular fit and has no one-step error to compare with surrogates; "
                         "on_singular=\"skip-piece\" may give one")
    return result.surrogates[0]


_DELIMITERS = {
    "comma": "comma", ",": "comma",
    "tab": "tab", "\t": "tab",
    "semicolon": "semicolon", ";": "semicolon",
    "whitespace": "whitespace", " ": "whitespace",
}


def _column_argument(column):
    """(index, name) for the reader: (0, "") for no column."""
    if column is None:
        return 0, ""
    if isinstance(column, str):
        if not column:
            raise ValueError("column must be a 1-based column number or a header name, not an empty string")
        return 0, column
    index = _whole("column", column)
    if not 1 <= index <= 1_000_000:
        raise ValueError(f"column = {index} is out of range: columns are counted from 1")
    return index, ""


def read_series(path: Union[str, "os.PathLike[str]"], *, column: Union[int, str, None] = None,
                delimiter: Optional[str] = None, skip_rows: int = 0, format: str = "plain") -> SeriesArray:
    """Read a series from a file: plain numbers, a table's column, .gz, .zst or .npy.

    Formats (``format``):

    - ``"plain"`` (default): one number per line as C++ reads it (``20``,
      ``1.5e-3``, ``-.5``, ``1.5D3``); blanks and tabs around it, a UTF-8 BOM and
      CR LF line ends are ignored; blank lines and lines starting with ``#`` are
      skipped and counted. ``nan``, ``inf``, text and values beyond the double
      range are refused with the line. Tables: ``column`` picks a column by its
      1-based number or its header name; the delimiter is detected unless
      given; a first line that is not all numbers is the header.
    - ``"fixed"``: the interactive program's records: the first 20 columns of
      each line, a number without a decimal point carries 10 implied decimals
      (``12`` reads as 1.2e-9) and a blank line reads as 0; a ``UserWarning``
      says when that changed any value.

    gzip (``.gz``) and zstd (``.zst``) files are read as their contents, found by
    their first bytes; NumPy ``.npy`` files are read directly (1-D, or a column
    of a 2-D array; float64, float32 and integer types of either byte order).
    Named pipes are read as streams.

    Parameters
    ----------
    path : str or os.PathLike
    column : int or str, optional
        The column to read: its number, counted from 1, or its header name.
    delimiter : {'comma', 'tab', 'semicolon', 'whitespace', ',', '\\t', ';', ' '}, optional
        The field delimiter of a table; detected from the first line when not given.
    skip_rows : int, default 0
        Lines to drop at the start of the file, whatever they hold.
    format : {'plain', 'fixed'}, default 'plain'

    Returns
    -------
    SeriesArray
        The values, float64, in file order: a NumPy array whose ``source``
        (a :class:`SeriesFile`) says how the file was read.

    Raises
    ------
    FileNotFoundError, IsADirectoryError, OSError
        The file is missing, a folder, or cannot be read.
    ValueError
        A line or value cannot be read (the message names the line, its text
        and why), or the file is not one of the kinds above.
    TypeError
        An argument of the wrong type.
    """
    import os
    import warnings

    if isinstance(path, bytes):
        path = os.fsdecode(path)
    if not isinstance(path, (str, os.PathLike)):
        raise TypeError(f"path must be a str or os.PathLike, not {type(path).__name__}")
    path = os.fspath(path)
    if isinstance(path, bytes):
        path = os.fsdecode(path)
    if "\0" in path:
        raise ValueError("path must not hold a NUL character")
    index, name = _column_argument(column)
    if delimiter is not None and delimiter not in _DELIMITERS:
        raise ValueError(f"delimiter = {delimiter!r} is not one of 'comma', 'tab', 'semicolon', 'whitespace'")
    skip = _whole("skip_rows", skip_rows)
    if skip < 0:
        raise ValueError(f"skip_rows = {skip} is below 0")
    if format not in ("plain", "fixed"):
        raise ValueError(f"format = {format!r} is not 'plain' or 'fixed'")
    values, info = _core.read_series(path, index, name, _DELIMITERS.get(delimiter, ""), skip, format == "fixed")
    note = info.pop("note")
    if note:
        warnings.warn(f"{path}: {note}", UserWarning, stacklevel=2)
    if info["npy_shape"] is not None:
        info["npy_shape"] = tuple(info["npy_shape"])
    return SeriesArray(values, SeriesFile(path=path, **info))
