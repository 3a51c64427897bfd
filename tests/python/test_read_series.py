"""read_series on files as researchers' tools write them: the values NumPy
reads from the same file, bit for bit, a record of how the file was read,
and refusals that name the line, its text and why."""

import gzip
import os
import pickle
import shutil
import subprocess
import threading

import numpy as np
import pytest

import modelcheck
from conftest import henon

X = henon(700)
TIMES = np.arange(len(X)) * 0.01


def same_bits(a, b):
    return np.asarray(a).tobytes() == np.asarray(b, dtype=np.float64).tobytes()


def write(path, text, newline="\n"):
    path.write_bytes(text.replace("\n", newline).encode("utf-8"))
    return path


# Each kind: how its tool writes it, what read_series is given, what NumPy reads.
def savetxt_default(folder):
    np.savetxt(folder / "f.txt", X)
    return folder / "f.txt", {}, np.loadtxt(folder / "f.txt")


def savetxt_17g(folder):
    np.savetxt(folder / "f.txt", X, fmt="%.17g")
    return folder / "f.txt", {}, np.loadtxt(folder / "f.txt")


def g_integers(folder):
    temperatures = np.round(X * 20 + 15, 1)  # %g prints 20.0 as 20
    np.savetxt(folder / "f.txt", temperatures, fmt="%g")
    return folder / "f.txt", {}, np.loadtxt(folder / "f.txt")


def r_integers(folder):
    write(folder / "f.txt", "".join(f"{int(v)}\n" for v in X * 1000))  # R: write(x, "f.txt", ncolumns = 1)
    return folder / "f.txt", {}, np.loadtxt(folder / "f.txt")


def csv_header_time(folder):
    np.savetxt(folder / "f.csv", np.c_[TIMES, X], delimiter=",", header="time,x", comments="", fmt="%.17g")
    return folder / "f.csv", {"column": "x"}, np.loadtxt(folder / "f.csv", delimiter=",", skiprows=1, usecols=1)


def csv_by_index(folder):
    path, _, expected = csv_header_time(folder)
    return path, {"column": 2}, expected


def r_write_csv(folder):
    write(folder / "f.csv", '"","x"\n' + "".join(f'"{i + 1}",{v!r}\n' for i, v in enumerate(X)))
    return folder / "f.csv", {"column": "x"}, X


def tsv(folder):
    np.savetxt(folder / "f.tsv", np.c_[TIMES, X], delimiter="\t", fmt="%.17g")
    return folder / "f.tsv", {"column": 2, "delimiter": "\t"}, np.loadtxt(folder / "f.tsv", usecols=1)


def semicolon(folder):
    np.savetxt(folder / "f.csv", np.c_[TIMES, X], delimiter=";", header="t;x", comments="", fmt="%.17g")
    return folder / "f.csv", {"column": "x"}, np.loadtxt(folder / "f.csv", delimiter=";", skiprows=1, usecols=1)


def bom_crlf_comments(folder):
    text = "# logger 7\n\n" + "".join(f"  {v!r}\t\n" + ("# gap\n\n" if i % 50 == 0 else "") for i, v in enumerate(X))
    path = folder / "f.txt"
    path.write_bytes(b"\xef\xbb\xbf" + text.replace("\n", "\r\n").encode())
    return path, {}, np.loadtxt(path, encoding="utf-8-sig")


def gzip_file(folder):
    np.savetxt(folder / "f.txt.gz", X, fmt="%.17g")  # NumPy compresses by the name
    return folder / "f.txt.gz", {}, np.loadtxt(folder / "f.txt.gz")


def zstd_file(folder):
    if shutil.which("zstd") is None:
        pytest.skip("the zstd program is not installed")
    np.savetxt(folder / "f.txt", X, fmt="%.17g")
    subprocess.run(["zstd", "-q", "--rm", str(folder / "f.txt")], check=True)
    return folder / "f.txt.zst", {}, X


def npy(dtype, column=None, fortran=False):
    def make(folder):
        data = (X * 1000).astype(dtype) if np.dtype(dtype).kind in "iu" else X.astype(dtype)
        if column is not None:
            data = np.c_[TIMES.astype(dtype), data]
        np.save(folder / "f.npy", np.asfortranarray(data) if fortran else data)
        expected = np.load(folder / "f.npy")
        return folder / "f.npy", {} if column is None else {"column": column}, (
            expected if column is None else expected[:, column - 1]).astype(np.float64)

    make.__name__ = f"npy_{np.dtype(dtype).str}" + ("_column" if column else "") + ("_fortran" if fortran else "")
    return make


KINDS = [savetxt_default, savetxt_17g, g_integers, r_integers, csv_header_time, csv_by_index, r_write_csv, tsv,
         semicolon, bom_crlf_comments, gzip_file, zstd_file, npy("<f8"), npy("<f4"), npy("<i2"), npy(">f8"),
         npy("<f8", column=2), npy("<i4", column=2, fortran=True)]


@pytest.mark.parametrize("kind", KINDS, ids=lambda kind: kind.__name__)
def test_every_kind_of_file_gives_the_values_numpy_reads(tmp_path, kind):
    path, arguments, expected = kind(tmp_path)
    x = modelcheck.read_series(path, **arguments)
    assert x.dtype == np.float64 and x.shape == (len(X),)
    assert same_bits(x, expected)


def test_a_check_of_the_read_values_is_a_check_of_numpys_array(tmp_path):
    path, arguments, expected = csv_header_time(tmp_path)
    gz = tmp_path / "f.csv.gz"
    gz.write_bytes(gzip.compress(path.read_bytes()))
    for x in (modelcheck.read_series(path, **arguments), modelcheck.read_series(gz, **arguments)):
        ours, numpys = modelcheck.check(x, 500, 2, 0.05, 20, 50), modelcheck.check(expected, 500, 2, 0.05, 20, 50)
        assert same_bits(ours.iterative_error, numpys.iterative_error)
        assert (ours.iterative_time, ours.direct_time) == (numpys.iterative_time, numpys.direct_time)


def test_the_source_says_how_the_file_was_read_and_travels_with_the_array(tmp_path):
    path, arguments, _ = csv_header_time(tmp_path)
    x = modelcheck.read_series(path, **arguments)
    source = x.source
    assert (source.format, source.compression, source.values, source.header, source.column, source.column_name,
            source.delimiter) == ("plain", "none", len(X), "time,x", 2, "x", "comma")
    assert str(source) == f'{path}: {len(X)} values; plain text; column 2 ("x"), comma-separated; header line "time,x"'
    assert x[10:].source is source
    assert pickle.loads(pickle.dumps(x)).source == source
    assert type(np.asarray(x)) is np.ndarray
    blank = modelcheck.read_series(write(tmp_path / "b.txt", "# c\n1.5\n\n2.5\n\n"))
    assert (blank.source.skipped_blank, blank.source.skipped_comment, blank.tolist()) == (2, 1, [1.5, 2.5])


def test_a_named_pipe_is_read_as_a_stream(tmp_path):
    pipe = tmp_path / "series.fifo"
    os.mkfifo(pipe)
    writer = threading.Thread(target=lambda: pipe.write_text("".join(f"{v!r}\n" for v in X)))
    writer.start()
    x = modelcheck.read_series(pipe)
    writer.join()
    assert same_bits(x, X)


@pytest.mark.parametrize("text, arguments, error, message", [
    ("1.5\n2.5\nnan\n", {}, ValueError, 'line 3: "nan": not a finite number'),
    ("1.5\n1e999\n", {}, ValueError, 'line 2: "1e999": beyond the range of a double'),
    ("1.5\n2.5 3.5\n", {}, ValueError, "holds 2 values .* no column was chosen \\(choose one with column=\\)"),
    ("t,x\n1,2\n", {"column": "y"}, ValueError, 'no column is named "y"'),
    ("1,2\n3\n", {"column": 2}, ValueError, 'line 2: "3": the line holds 1 value; there is no column 2'),
    ("1\n2\x00\x00", {}, ValueError, "binary file .* for NumPy files use .npy"),
])
def test_refusals_name_the_line_its_text_and_why(tmp_path, text, arguments, error, message):
    path = tmp_path / "f.txt"
    path.write_bytes(text.encode("latin-1"))
    with pytest.raises(error, match=message):
        modelcheck.read_series(path, **arguments)


def test_bad_arguments_name_the_argument(tmp_path):
    path = write(tmp_path / "f.txt", "1\n2\n")
    for arguments, error in [({"column": 0}, ValueError), ({"column": 1.5}, TypeError), ({"column": ""}, ValueError),
                             ({"delimiter": "|"}, ValueError), ({"skip_rows": -1}, ValueError),
                             ({"format": "csv"}, ValueError)]:
        with pytest.raises(error, match=next(iter(arguments))):
            modelcheck.read_series(path, **arguments)
    with pytest.raises(ValueError, match="NUL"):
        modelcheck.read_series("f\x00.txt")
    with pytest.raises(TypeError, match="path"):
        modelcheck.read_series(3)
    truncated = tmp_path / "cut.gz"
    truncated.write_bytes(gzip.compress(b"1.5\n" * 10000)[:-20])
    with pytest.raises(ValueError, match="cut short"):
        modelcheck.read_series(truncated)
