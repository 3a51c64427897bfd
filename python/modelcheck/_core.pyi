# The compiled core's interface, for type checkers; use the functions of the
# modelcheck package, which check their arguments and build the results.
from typing import Any, Callable, Dict, List, Optional, Tuple

import numpy as np
import numpy.typing as npt

__version__: str
prediction_threshold: float

def scan(
    x: npt.NDArray[np.float64],
    ntrain: int,
    dims: List[int],
    epss: List[float],
    ltest: int,
    ktest: int,
    threshold: float,
    jobs: int,
    grid: bool,
    baselines: bool,
    progress: Optional[Callable[[int, int], object]],
    delays: List[int],
    skip_singular: bool,
    eps_relative: bool,
    metric: str,
    bootstrap: int,
    seed: int,
    surrogates: int,
    surrogates_all: bool,
) -> Dict[str, Any]: ...
def table_columns(table: str) -> List[Tuple[str, str]]: ...
def read_series(
    path: str,
    column: int,
    column_name: str,
    delimiter: str,
    skip_rows: int,
    fixed: bool,
) -> Tuple[npt.NDArray[np.float64], Dict[str, Any]]: ...
