#!/usr/bin/env python3
"""Writes the series files of the equivalence cases.

Usage: make_series.py [DATA_DIR]   (default: tests/data/equivalence)

Every series is computed here from fixed starting values and a fixed-seed
generator, so rerunning the script reproduces the files byte for byte.
Only the series are written; answers.txt and the goldens are kept as files.
"""
import os
import shutil
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))


def henon(n, x=0.1, y=0.1, transient=100):
    values = []
    for i in range(-transient, n):
        x, y = 1.0 - 1.4 * x * x + y, 0.3 * x
        if i >= 0:
            values.append(x)
    return values


def logistic(n, x=0.3, transient=100):
    values = []
    for i in range(-transient, n):
        x = 3.99 * x * (1.0 - x)
        if i >= 0:
            values.append(x)
    return values


class Lcg:
    """64-bit linear congruential generator; the high bits give a uniform [0, 1)."""

    def __init__(self, seed):
        self.state = seed & 0xFFFFFFFFFFFFFFFF

    def uniform(self):
        self.state = (self.state * 6364136223846793005 + 1442695040888963407) & 0xFFFFFFFFFFFFFFFF
        return (self.state >> 11) / float(1 << 53)


def fixed(values, decimals=12):
    return "".join("%.*f\n" % (decimals, v) for v in values)


def write(directory, name, text):
    os.makedirs(directory, exist_ok=True)
    with open(os.path.join(directory, name), "w", newline="\n") as f:
        f.write(text)


def main():
    data = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "tests", "data", "equivalence")

    def case(name):
        return os.path.join(data, name)

    # The bundled example series, unchanged.
    os.makedirs(case("henon-example"), exist_ok=True)
    shutil.copyfile(os.path.join(ROOT, "examples", "henon.txt"), os.path.join(case("henon-example"), "series.txt"))

    # Two Henon series from different starts and with different precisions.
    write(case("multi-pass"), "series1.txt", fixed(henon(1500)))
    write(case("multi-pass"), "series2.txt", fixed(henon(1200, x=0.3, y=-0.1), 8))

    write(case("logistic"), "series.txt", fixed(logistic(2000)))

    rng = Lcg(20240607)
    noisy = [v + 0.02 * (rng.uniform() - 0.5) for v in henon(2000)]
    write(case("noisy"), "series.txt", fixed(noisy))

    # Rounded values: many states and targets tie exactly.
    base = henon(2000, x=0.2, y=0.05)
    write(case("quantised"), "series1.txt", "".join("%.1f\n" % v for v in base))
    write(case("quantised"), "series2.txt", "".join("%.2f\n" % v for v in base))
    # With D = 4 and eps = 0.02 an iterative step of piece 2 meets five
    # neighbours whose rounded states leave the factor exactly singular in
    # its fourth column. The free runs before it average three targets at
    # times, so how that mean is rounded decides where the stop comes.
    write(case("singular-quantised"), "series.txt", "".join("%.2f\n" % v for v in base))

    write(case("sparse-neighbours"), "series.txt", fixed(henon(1500, x=-0.2, y=0.1)))

    # The plot range comes from the test values: a test part narrower than
    # the training part sends the model orbit and the predictions, which
    # follow the training dynamics, out of the frames. Centred, they leave
    # at the top and the right; shifted up, at the bottom and the left.
    write(case("clipping"), "series.txt", fixed(henon(800) + [0.7 * v for v in henon(300, x=0.4, y=0.0)]))
    write(case("clipping-low"), "series.txt", fixed(henon(800) + [0.7 * v + 0.5 for v in henon(300, x=0.4, y=0.0)]))

    # Far outliers in the test part: a plot range too wide for the axis
    # labels and errors too large for the result lines.
    test = henon(300, x=0.4, y=0.0)
    for i, v in ((5, 40.0), (60, -1.0e6), (61, 2.5e7), (120, -3.0)):
        test[i] = v
    write(case("outliers"), "series.txt", fixed(henon(800) + test))

    # Quantised to two decimals; with eps below 0.01 only exact ties are
    # neighbours. 0 occurs twice among the one-step neighbours, so a state 0
    # with D = 1 gives a design matrix with an all-zero column.
    training = [0.00, 0.20, 0.00, 0.30, 0.40, 0.50, 0.60, 0.70, 0.80, 0.90, 0.95, 0.99]
    # The orbit starts at the tie.
    write(case("singular-orbit"), "series.txt", fixed(training + [0.00, 0.45, 0.55, 0.65, 0.75], 2))
    # The orbit and piece 1 start at 0.40, walk the unique training values
    # to 0.99 and persist; piece 2 starts at the tie.
    write(case("singular-iterative"), "series.txt", fixed(training + [0.40, 0.00, 0.55, 0.65, 0.75], 2))

    # The state 0 has the one-step neighbours o = 1, 2 (value 0) and o = 9
    # (value 0.001); with Ltest = 2 the direct test admits only o <= 8 and
    # its design matrix has an all-zero column.
    write(case("singular-direct"), "series.txt",
          "0.0\n0.0\n50.0\n60.0\n70.0\n80.0\n90.0\n100.0\n0.001\n200.0\n0.0\n5.0\n7.0\n")

    write(case("end-of-input"), "series.txt", fixed(henon(600)))
    write(case("end-of-input-early"), "series.txt", fixed(henon(600)))

    # Series-file reading and the dialogue's side roads.
    edges = case("dialogue-edges")
    write(edges, "series-short.txt", "1.0\n2.0\n")
    write(edges, "series-bad.txt", "1.0\n2.0\nabc\n4.0\n")
    write(edges, "series-flat.txt", "0.5\n" * 40 + fixed(henon(20)))
    # Exponent forms, a blank line read as 0, text after column 20, blanks
    # inside a number, and a few hundred Henon values to make checks possible.
    odd = ["1.5E-1", "1.5D-1", "1.5-1", "", "0.25                trailing text", " - 0. 3 1", "+.7", "-1E0"]
    write(edges, "series-forms.txt", "\n".join(odd) + "\n" + fixed(henon(400), 6))


if __name__ == "__main__":
    main()
