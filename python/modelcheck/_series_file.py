"""How a series file was read, and the array that remembers it."""

from __future__ import annotations

from dataclasses import dataclass

import numpy as np


@dataclass(frozen=True)
class SeriesFile:
    """How :func:`modelcheck.read_series` read a file.

    Attributes
    ----------
    path : str
        The file as it was named.
    format : str
        'plain', 'fixed' or 'npy'.
    compression : str
        'none', 'gzip' or 'zstd'.
    values : int
        The number of values read.
    skipped_rows, skipped_blank, skipped_comment : int
        Lines dropped by ``skip_rows``, blank lines and lines starting with
        '#' that were skipped (plain format).
    header : str or None
        The header line, as written.
    column : int or None
        The 1-based column read, when the file is a table or a 2-D array.
    column_name : str or None
        That column's header name.
    delimiter : str or None
        'comma', 'tab', 'semicolon' or 'whitespace', when lines were split.
    implied_decimals, blank_as_zero : int
        Fixed format: values without a decimal point that the 10 implied
        decimals changed, and blank lines read as 0.
    npy_type, npy_shape : str or None, tuple or None
        A NumPy file's element type (e.g. '<f8') and shape.
    description : str
        All of the above in one line.
    """

    path: str
    format: str
    compression: str
    values: int
    skipped_rows: int
    skipped_blank: int
    skipped_comment: int
    header: str | None
    column: int | None
    column_name: str | None
    delimiter: str | None
    implied_decimals: int
    blank_as_zero: int
    npy_type: str | None
    npy_shape: tuple | None
    description: str

    def __str__(self) -> str:
        return f"{self.path}: {self.description}"


class SeriesArray(np.ndarray):
    """A float64 array of a series file's values; ``source`` says how the file was read.

    It is an ordinary NumPy array in every other way; views and copies keep
    ``source``, and ``np.asarray`` gives the plain array.
    """

    source: SeriesFile | None

    def __new__(cls, values, source):
        array = np.asarray(values).view(cls)
        array.source = source
        return array

    def __array_finalize__(self, obj):
        self.source = getattr(obj, "source", None)

    # Pickled with its source, so that it reaches Dask workers whole.
    def __reduce__(self):
        constructor, arguments, state = super().__reduce__()
        return constructor, arguments, (state, self.source)

    def __setstate__(self, state):
        array_state, self.source = state
        super().__setstate__(array_state)
