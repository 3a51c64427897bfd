"""A typical notebook's use of the package, checked by mypy --strict: the
package's annotations and the compiled core's stub must describe it."""

from typing import List, Optional

import numpy as np

import modelcheck

x = np.sin(np.arange(3000) * 0.1)
result: modelcheck.CheckResult = modelcheck.check(x, 2800, 2, 0.05, n_jobs=-1, progress=lambda done, total: None)
one_step: float = result.one_step_error
grid: modelcheck.ScanResult = modelcheck.scan(x, None, [1, 2], [0.05, 0.1], baselines=False)
cells: List[modelcheck.CheckResult] = list(grid)
best: modelcheck.CheckResult = grid[2, 0.1]
count: int = len(grid)
version: str = modelcheck.__version__
threshold: float = modelcheck._core.prediction_threshold
series: Optional[modelcheck.SeriesArray] = None
