"""The Python module's speed, as scripts/benchmark-python.sh runs it.

1. check() on 10^6 Henon values (D = 2, eps = 0.01, Ntrain = values - 200)
   from a Python list and from a NumPy array, against the same check in C++
   (scan_cell_timing): the median of five runs each.
2. scan_many() over 16 series of 10^5 values on a LocalCluster of one and of
   two worker processes (one thread each, loopback only).

Usage: python3 python_benchmark.py <scan_cell_timing program>
"""

import statistics
import subprocess
import sys
import time

import numpy as np

import modelcheck
import modelcheck.distributed


def henon(count, start=0.1, transient=1000):
    # The same arithmetic as bench/henon_series.cpp, so the same values.
    values = np.empty(count)
    u, v = start, 0.1
    for n in range(count + transient):
        u, v = 1.0 - 1.4 * u * u + v, 0.3 * u
        if n >= transient:
            values[n - transient] = u
    return values


def median_seconds(function, repetitions=5):
    times = []
    for _ in range(repetitions):
        start = time.perf_counter()
        result = function()
        times.append(time.perf_counter() - start)
    return statistics.median(times), result


def check_benchmark(cpp_program):
    count = 10**6
    x = henon(count)
    as_list = x.tolist()
    cpp = subprocess.run([cpp_program, str(count), "2", "0.01"], capture_output=True, text=True, check=True)
    cpp_seconds, cpp_iterative, cpp_direct = cpp.stdout.split()
    array_seconds, result = median_seconds(lambda: modelcheck.check(x, count - 200, 2, 0.01))
    list_seconds, _ = median_seconds(lambda: modelcheck.check(as_list, count - 200, 2, 0.01))
    assert (result.iterative_time, result.direct_time) == (int(cpp_iterative), int(cpp_direct))
    print(f"check, 10^6 values: C++ {float(cpp_seconds):.3f} s, Python from an array {array_seconds:.3f} s "
          f"({array_seconds / float(cpp_seconds):.2f} x), from a list {list_seconds:.3f} s "
          f"({list_seconds / float(cpp_seconds):.2f} x)")


def scan_many_benchmark():
    from distributed import Client, LocalCluster

    series = [henon(10**5, start=0.1 + 0.001 * i) for i in range(16)]
    settings = dict(dims=[1, 2, 3], epss=[0.02, 0.05, 0.1])
    seconds = {}
    for workers in (1, 2):
        with LocalCluster(n_workers=workers, threads_per_worker=1, processes=True, host="127.0.0.1",
                          dashboard_address=None) as cluster, Client(cluster) as client:
            modelcheck.distributed.scan_many(series[:2], client=client, **settings)  # workers warmed up
            start = time.perf_counter()
            modelcheck.distributed.scan_many(series, client=client, **settings)
            seconds[workers] = time.perf_counter() - start
    print(f"scan_many, 16 series of 10^5 values, 3 x 3 cells each: one worker {seconds[1]:.2f} s, "
          f"two workers {seconds[2]:.2f} s, speed-up {seconds[1] / seconds[2]:.2f}")


if __name__ == "__main__":
    check_benchmark(sys.argv[1])
    scan_many_benchmark()
