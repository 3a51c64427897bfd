// modelcheck._core: the scan engine for Python. The functions take float64
// arrays already checked by the package (python/modelcheck/__init__.py),
// release the GIL while the engine runs, and return plain dictionaries of
// NumPy arrays and numbers that the package wraps in result objects.
// Settings out of range raise ValueError naming the Python argument and
// what it allows; an unreadable series file raises OSError or ValueError.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "modelcheck/scan.h"
#include "text/series_file.h"
#include "text/series_reader.h"

namespace py = pybind11;

namespace modelcheck {

namespace {

using Series = py::array_t<double, py::array::c_style>;

template <typename T>
py::array_t<T> ToArray(const std::vector<T>& values) {
  return py::array_t<T>(static_cast<py::ssize_t>(values.size()), values.data());
}

const char* ArgumentName(ScanSetting setting, bool grid) {
  switch (setting) {
    case ScanSetting::kNtrain:
      return "ntrain";
    case ScanSetting::kDimension:
      return grid ? "dims" : "dim";
    case ScanSetting::kBoxSize:
      return grid ? "epss" : "eps";
    case ScanSetting::kLtest:
      return "ltest";
    case ScanSetting::kKtest:
      return "ktest";
    case ScanSetting::kThreshold:
      return "threshold";
  }
  return "?";
}

void RequireSettings(const ScanSettings& settings, std::size_t count, bool grid) {
  if (count < 4) throw py::value_error("x has " + std::to_string(count) + " values; a check needs at least 4");
  if (const auto problem = CheckScanSettings(settings, count)) {
    throw py::value_error(std::string(ArgumentName(problem->setting, grid)) + " = " + problem->value +
                          " is out of range: allowed " + problem->allowed);
  }
}

py::object StopDict(const std::optional<CheckStop>& stop) {
  if (!stop) return py::none();
  py::dict out;
  out["phase"] = CheckPhaseName(stop->phase);
  out["piece"] = stop->piece;
  out["step"] = stop->step;
  out["routine"] = stop->routine;
  out["code"] = stop->code;
  out["values"] = stop->values;
  out["message"] = stop->message;
  return out;
}

py::dict OrbitArray(const std::vector<OrbitPoint>& orbit, py::dict out) {
  py::array_t<double> points({static_cast<py::ssize_t>(orbit.size()), py::ssize_t{2}});
  auto view = points.mutable_unchecked<2>();
  for (std::size_t i = 0; i < orbit.size(); ++i) {
    view(static_cast<py::ssize_t>(i), 0) = orbit[i].newest;
    view(static_cast<py::ssize_t>(i), 1) = orbit[i].prediction;
  }
  out["orbit"] = points;
  return out;
}

py::dict BaselinesDict(const ScanBaselines& baselines) {
  py::dict out;
  out["computed"] = baselines.computed;
  out["persistence_error"] = ToArray(baselines.result.persistence.errors);
  out["global_iterative_error"] = ToArray(baselines.result.global_iterative.errors);
  out["global_direct_error"] = ToArray(baselines.result.global_direct.errors);
  out["persistence_time"] = baselines.persistence_time;
  out["global_iterative_time"] = baselines.global_iterative_time;
  out["global_direct_time"] = baselines.global_direct_time;
  out["global_stop"] = StopDict(baselines.result.global_stop);
  return out;
}

py::dict CellDict(const ScanCell& cell, const ScanBaselines& baselines) {
  const CheckResult& check = cell.result;
  py::dict out;
  out["dim"] = cell.D;
  out["eps"] = cell.eps;
  out["status"] = CellStatusName(cell.status);
  out["reason"] = cell.reason;
  out["iterative_error"] = ToArray(check.iterative.errors);
  out["direct_error"] = ToArray(check.direct.errors);
  out["one_step_error"] =
      check.iterative.errors.empty() ? py::object(py::float_(NAN)) : py::float_(check.one_step_error);
  out["iterative_time"] = cell.iterative_time;
  out["direct_time"] = cell.direct_time;
  out["direct_neighbours"] = ToArray(check.direct.neighbour_counts);
  out["iterative_neighbours"] = ToArray(check.iterative.neighbour_counts);
  out["first_piece_iterative"] = ToArray(check.iterative.first_piece);
  out["first_piece_direct"] = ToArray(check.direct.first_piece);
  out["stop"] = StopDict(check.stop);
  out["baselines"] = BaselinesDict(baselines);
  return OrbitArray(check.orbit, out);
}

py::dict ResultDict(const ScanResult& result) {
  py::dict out;
  py::list cells;
  const std::size_t columns = result.settings.box_sizes.size();
  for (std::size_t c = 0; c < result.cells.size(); ++c)
    cells.append(CellDict(result.cells[c], result.baselines[c / columns]));
  out["cells"] = cells;
  out["complete"] = result.complete;
  const auto best = BestCell(result);
  out["best"] = best ? py::object(py::int_(*best)) : py::none();
  out["ntrain"] = result.settings.Ntrain;
  out["threshold"] = result.settings.threshold;
  out["training_minimum"] = result.training_minimum;
  out["training_maximum"] = result.training_maximum;
  return out;
}

py::dict Scan(const Series& x, std::int32_t ntrain, std::vector<std::int32_t> dims, std::vector<double> epss,
              std::int32_t ltest, std::int32_t ktest, double threshold, int jobs, bool grid) {
  const ScanSettings settings{.Ntrain = ntrain,
                              .dimensions = std::move(dims),
                              .box_sizes = std::move(epss),
                              .Ltest = ltest,
                              .Ktest = ktest,
                              .threshold = threshold};
  const std::span<const double> series(x.data(), static_cast<std::size_t>(x.size()));
  RequireSettings(settings, series.size(), grid);
  ScanResult result;
  {
    // The caller's array stays alive and unchanged: the package holds it for the call.
    py::gil_scoped_release release;
    result = RunScan(series, settings, {.jobs = jobs, .progress = {}});
  }
  return ResultDict(result);
}

[[noreturn]] void Raise(PyObject* type, const std::string& text) {
  PyErr_SetString(type, text.c_str());
  throw py::error_already_set();
}

PyObject* ErrorType(const SeriesReadError& error) {
  switch (error.problem) {
    case ReadProblem::kCannotOpen:
      if (error.reason == "no such file") return PyExc_FileNotFoundError;
      if (error.reason == "a folder, not a file") return PyExc_IsADirectoryError;
      return PyExc_OSError;
    case ReadProblem::kReadFailed:
      return PyExc_OSError;
    case ReadProblem::kOutOfMemory:
      return PyExc_MemoryError;
    default:
      return PyExc_ValueError;
  }
}

// The values handed to NumPy without a copy: the array owns the vector.
py::array_t<double> OwningArray(std::vector<double> values) {
  auto owner = std::make_unique<std::vector<double>>(std::move(values));
  const auto size = static_cast<py::ssize_t>(owner->size());
  const double* data = owner->data();
  py::capsule free_owner(owner.get(), [](void* vector) { delete static_cast<std::vector<double>*>(vector); });
  owner.release();
  return py::array_t<double>(size, data, free_owner);
}

py::dict InfoDict(const SeriesFileInfo& info) {
  py::dict out;
  out["format"] = std::string(FormatName(info.format));
  out["compression"] = std::string(CompressionName(info.compression));
  out["values"] = info.values;
  out["skipped_rows"] = info.skipped_rows;
  out["skipped_blank"] = info.skipped_blank;
  out["skipped_comment"] = info.skipped_comment;
  out["header"] = info.header ? py::object(py::str(*info.header)) : py::none();
  out["column"] = info.column > 0 ? py::object(py::int_(info.column)) : py::none();
  out["column_name"] = info.column_name.empty() ? py::none() : py::object(py::str(info.column_name));
  out["delimiter"] = info.delimiter == Delimiter::kDetect
                         ? py::none()
                         : py::object(py::str(std::string(DelimiterName(info.delimiter))));
  out["implied_decimals"] = info.implied_decimals;
  out["blank_as_zero"] = info.blank_as_zero;
  out["npy_type"] = info.npy_type.empty() ? py::none() : py::object(py::str(info.npy_type));
  out["npy_shape"] = info.npy_type.empty() ? py::none() : py::object(py::tuple(py::cast(info.npy_shape)));
  out["description"] = DescribeReading(info);
  out["note"] = ImpliedDecimalsNote(info.implied_decimals, info.blank_as_zero);
  return out;
}

// The package has checked every argument: `column` 0 with an empty name
// means no column, `delimiter` is one of the reader's names or empty.
py::tuple ReadSeries(const std::string& path, std::size_t column, const std::string& column_name,
                     const std::string& delimiter, std::size_t skip_rows, bool fixed) {
  SeriesReadOptions options;
  options.format = fixed ? SeriesFormat::kFixed : SeriesFormat::kPlain;
  if (column > 0 || !column_name.empty()) options.column = ColumnChoice{.index = column, .name = column_name};
  if (!delimiter.empty()) options.delimiter = DelimiterNamed(delimiter).value_or(Delimiter::kDetect);
  options.skip_rows = skip_rows;
  SeriesRead read;
  try {
    py::gil_scoped_release release;
    read = ReadSeriesFile(path, options);
  } catch (const SeriesReadError& error) {
    const char* hint = error.problem == ReadProblem::kSecondValue ? " (choose one with column=)" : "";
    Raise(ErrorType(error), error.what() + std::string(hint));
  }
  py::dict info = InfoDict(read.info);
  return py::make_tuple(OwningArray(std::move(read.values)), info);
}

}  // namespace

}  // namespace modelcheck

PYBIND11_MODULE(_core, module) {
  module.doc() = "The compiled core of modelcheck; use the functions of the modelcheck package.";
  module.def("scan", &modelcheck::Scan, py::arg("x"), py::arg("ntrain"), py::arg("dims"), py::arg("epss"),
             py::arg("ltest"), py::arg("ktest"), py::arg("threshold"), py::arg("jobs"), py::arg("grid"),
             "One scan over dims x epss of a float64 array; a dictionary of its cells.");
  module.def("read_series", &modelcheck::ReadSeries, py::arg("path"), py::arg("column"), py::arg("column_name"),
             py::arg("delimiter"), py::arg("skip_rows"), py::arg("fixed"),
             "The values of a series file and a dictionary of how it was read.");
  module.attr("prediction_threshold") = modelcheck::kPredictionThreshold;
  module.attr("__version__") = MODELCHECK_VERSION;
}
