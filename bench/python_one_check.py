"""One check from Python as a user runs it, for scripts/benchmark-front-ends.sh.

Usage: python3 python_one_check.py <series file> <D> <eps> [--load-only] [--no-baselines]
       python3 python_one_check.py --start-only

Reads the series file with modelcheck.read_series and checks it with
Ntrain = values - 200. --load-only stops after reading (the process that
the peak memory of a check is measured against), --start-only after the
imports (the interpreter's start-up, which a check's time is measured
beyond).
"""

import sys

import modelcheck


def main():
    if sys.argv[1] == "--start-only":
        return
    path, dim, eps = sys.argv[1], int(sys.argv[2]), float(sys.argv[3])
    x = modelcheck.read_series(path)
    if "--load-only" in sys.argv:
        return
    result = modelcheck.check(x, len(x) - 200, dim, eps, baselines="--no-baselines" not in sys.argv)
    print(result.iterative_time, result.direct_time)


if __name__ == "__main__":
    main()
