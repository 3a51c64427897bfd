// modelcheck._core: the scan engine for Python. The functions take float64
// arrays already checked by the package (python/modelcheck/__init__.py),
// release the GIL while the engine runs, and return plain dictionaries of
// NumPy arrays and numbers that the package wraps in result objects.
// Settings out of range raise ValueError naming the Python argument and
// what it allows; an unreadable series file raises OSError or ValueError.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <exception>
#include <functional>
#include <future>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "modelcheck/scan.h"
#include "modelcheck/settings_ranges.h"
#include "modelcheck/surrogates.h"
#include "presentation/scan_tables.h"
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
    case ScanSetting::kDelay:
      return grid ? "delays" : "delay";
  }
  return "?";
}

// Whole numbers as Python gave them, up to 64 bits; the settings hold them
// clamped to 32 bits, so a message can still name the value the user typed.
struct TypedCounts {
  std::int64_t ntrain = 0;
  std::vector<std::int64_t> dims;
  std::int64_t ltest = 0;
  std::int64_t ktest = 0;
  std::vector<std::int64_t> delays;
};

std::int32_t Clamped(std::int64_t value) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

// The value of `setting` as typed, when clamping changed it.
std::optional<std::int64_t> Unclamped(ScanSetting setting, const TypedCounts& typed) {
  const auto changed = [](std::int64_t value) { return Clamped(value) != value; };
  switch (setting) {
    case ScanSetting::kNtrain:
      return changed(typed.ntrain) ? std::optional(typed.ntrain) : std::nullopt;
    case ScanSetting::kLtest:
      return changed(typed.ltest) ? std::optional(typed.ltest) : std::nullopt;
    case ScanSetting::kKtest:
      return changed(typed.ktest) ? std::optional(typed.ktest) : std::nullopt;
    case ScanSetting::kDimension:
      for (const std::int64_t D : typed.dims)
        if (changed(D)) return D;
      return std::nullopt;
    case ScanSetting::kDelay:
      for (const std::int64_t tau : typed.delays)
        if (changed(tau)) return tau;
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

void RequireSettings(const ScanSettings& settings, const TypedCounts& typed, std::size_t count, bool grid) {
  if (static_cast<std::int64_t>(count) < kFewestSeriesValues) {
    throw py::value_error("x has " + std::to_string(count) + " values; a check needs at least " +
                          std::to_string(kFewestSeriesValues));
  }
  if (const auto problem = CheckScanSettings(settings, count)) {
    const auto unclamped = Unclamped(problem->setting, typed);
    const std::string value = unclamped ? std::to_string(*unclamped) : problem->value;
    throw py::value_error(std::string(ArgumentName(problem->setting, grid)) + " = " + value +
                          " is out of range: allowed " + problem->allowed);
  }
}

// The values a scan reads, copied while the GIL is held: once it is
// released the caller's array may change (another thread, a memmap that
// another process rewrites), and the engine must never see that.
std::vector<double> PrivateCopy(const Series& x, const ScanSettings& settings) {
  const std::int64_t used = ScanReadSpan(settings);
  const auto count = static_cast<std::size_t>(x.size());
  const std::size_t copied = used > 0 ? std::min(count, static_cast<std::size_t>(used)) : count;
  return {x.data(), x.data() + copied};
}

// The interactive program's reader reads no NaN or infinity, so its checks
// never meet one; here they are refused where a check would read them.
void RequireFinite(std::span<const double> used, std::int32_t ntrain) {
  const auto bad = std::find_if(used.begin(), used.end(), [](double value) { return !std::isfinite(value); });
  if (bad == used.end()) return;
  const auto index = static_cast<std::int64_t>(bad - used.begin());
  const std::string value = std::isnan(*bad) ? "nan" : *bad > 0 ? "inf" : "-inf";
  throw py::value_error("x[" + std::to_string(index) + "] is " + value + ", in the " +
                        (index < ntrain ? "training part" : "test segment") +
                        ": the values a check reads must be finite");
}

// How work on another thread tells the interpreter's thread how far it has
// come, and hears that it is to stop.
struct Reporting {
  std::atomic<bool> stop{false};
  std::atomic<std::int32_t> done{0};
  std::atomic<std::int32_t> total{0};
  bool wanted = false;  // a progress callable was given

  bool Note(std::int32_t now_done, std::int32_t now_total) {
    total = now_total;
    done = now_done;
    return true;
  }
};

// Runs `work(reporting)` on a thread of its own while this one, the
// interpreter's, looks for signals every 50 ms: Ctrl-C (a notebook's
// interrupt) sets reporting.stop, which ends the running checks at their
// next piece, and raises KeyboardInterrupt. A `progress` callable is called
// here too, with the GIL, as progress(done, total) whenever more work has
// finished; an exception it raises stops the work and is raised again.
template <typename Work>
auto RunInterruptibly(const py::object& progress, Work work) {
  Reporting reporting;
  reporting.wanted = !progress.is_none();
  std::int32_t told = -1;
  bool interrupted = false;
  std::exception_ptr failure;  // raised by `progress`; rethrown with the GIL held
  const auto tell = [&] {
    const std::int32_t now = reporting.done.load();
    if (!reporting.wanted || now == told || reporting.total.load() == 0) return;
    told = now;
    try {
      progress(now, reporting.total.load());
    } catch (const py::error_already_set&) {
      failure = std::current_exception();
    }
  };
  std::future<decltype(work(reporting))> running;
  {
    py::gil_scoped_release release;
    running = std::async(std::launch::async, [&] { return work(reporting); });
    while (running.wait_for(std::chrono::milliseconds(50)) != std::future_status::ready) {
      if (interrupted || failure) continue;
      const py::gil_scoped_acquire acquire;
      interrupted = PyErr_CheckSignals() != 0;
      if (!interrupted) tell();
      reporting.stop = interrupted || failure != nullptr;
    }
  }
  auto result = running.get();
  if (interrupted) throw py::error_already_set();
  if (!failure) tell();  // the last report, once the work is done
  if (failure) std::rethrow_exception(failure);
  return result;
}

ScanResult ScanInterruptibly(std::span<const double> series, const ScanSettings& settings, int jobs, bool baselines,
                             const py::object& progress) {
  return RunInterruptibly(progress, [&](Reporting& reporting) {
    std::function<bool(const ScanProgress&)> note;
    if (reporting.wanted) note = [&](const ScanProgress& now) { return reporting.Note(now.done, now.total); };
    return RunScan(series, settings,
                   {.jobs = jobs,
                    .progress = note,
                    .stop = &reporting.stop,
                    .on_outcome = {},
                    .resume = nullptr,
                    .baselines = baselines});
  });
}

// The surrogate test of the best cell, or of every finished cell with a
// one-step error; nullopt when there is none to test.
std::optional<SurrogateRun> TestSurrogates(std::span<const double> series, const ScanResult& result,
                                           const SurrogateSettings& settings, bool every_cell, int jobs,
                                           const py::object& progress) {
  const std::vector<std::size_t> cells = SurrogateCells(result, every_cell);
  if (cells.empty()) return std::nullopt;
  return RunInterruptibly(progress, [&](Reporting& reporting) {
    SurrogateOptions options;
    options.jobs = jobs;
    options.stop = &reporting.stop;
    if (reporting.wanted)
      options.progress = [&](std::int32_t done, std::int32_t count) { return reporting.Note(done, count); };
    return RunSurrogates(series, result, cells, settings, options);
  });
}

py::object StopDict(const std::optional<CheckStop>& stop) {
  if (!stop) return py::none();
  py::dict out;
  out["reason"] = StopReasonName(stop->reason);
  out["phase"] = CheckPhaseName(stop->phase);
  out["piece"] = stop->piece;
  out["step"] = stop->step;
  out["zero_diagonal"] = stop->zero_diagonal;
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

py::object IntervalDict(const PredictionTestResult& test) {
  if (!test.interval) return py::none();
  py::dict out;
  out["errors_low"] = ToArray(test.interval->errors_low);
  out["errors_high"] = ToArray(test.interval->errors_high);
  out["time_low"] = test.interval->time_low;
  out["time_high"] = test.interval->time_high;
  return out;
}

py::dict CellDict(const ScanCell& cell, const ScanBaselines& baselines) {
  const CheckResult& check = cell.result;
  py::dict out;
  out["dim"] = cell.D;
  out["eps"] = cell.eps;
  out["delay"] = cell.tau;
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
  out["orbit_stop"] = StopDict(check.orbit_stop);
  out["iterative_skipped_pieces"] = check.iterative.skipped_pieces;
  out["direct_skipped_pieces"] = check.direct.skipped_pieces;
  out["iterative_interval"] = IntervalDict(check.iterative);
  out["direct_interval"] = IntervalDict(check.direct);
  out["baselines"] = BaselinesDict(baselines);
  return OrbitArray(check.orbit, out);
}

// One column of a scan table as NumPy arrays: its values (0 or NaN where a
// field is absent) and a mask of the absent fields.
struct ColumnBuffer {
  std::vector<std::int64_t> integers;
  std::vector<double> reals;
  py::list texts;
  std::vector<std::uint8_t> absent;
};

const char* FieldKindName(FieldKind kind) {
  switch (kind) {
    case FieldKind::kInteger:
      return "integer";
    case FieldKind::kReal:
      return "real";
    case FieldKind::kText:
      break;
  }
  return "text";
}

py::dict ColumnDict(FieldKind kind, ColumnBuffer& buffer) {
  py::dict out;
  out["kind"] = FieldKindName(kind);
  if (kind == FieldKind::kInteger)
    out["values"] = ToArray(buffer.integers);
  else if (kind == FieldKind::kReal)
    out["values"] = ToArray(buffer.reals);
  else
    out["values"] = buffer.texts;
  out["absent"] = ToArray(buffer.absent).attr("astype")("bool");
  return out;
}

// The scan's table as the batch program writes it, column by column.
py::dict TableDict(const ScanResult& result, ScanTableKind kind, const SurrogateRun* surrogates) {
  const std::span<const TableColumn> columns = TableColumns(kind);
  std::vector<ColumnBuffer> buffers(columns.size());
  ForEachTableRow(
      result, kind,
      [&](std::span<const TableField> row) {
        for (std::size_t i = 0; i < row.size(); ++i) {
          ColumnBuffer& buffer = buffers[i];
          const bool absent = std::holds_alternative<std::monostate>(row[i]);
          buffer.absent.push_back(absent ? 1 : 0);
          switch (columns[i].kind) {
            case FieldKind::kInteger:
              buffer.integers.push_back(absent ? 0 : std::get<std::int64_t>(row[i]));
              break;
            case FieldKind::kReal:
              buffer.reals.push_back(absent ? NAN : std::get<double>(row[i]));
              break;
            case FieldKind::kText:
              buffer.texts.append(absent ? std::string() : std::get<std::string>(row[i]));
              break;
          }
        }
        return true;
      },
      surrogates);
  py::dict out;
  for (std::size_t i = 0; i < columns.size(); ++i)
    out[py::str(std::string(columns[i].name))] = ColumnDict(columns[i].kind, buffers[i]);
  return out;
}

ScanMetric MetricArgument(const std::string& name) {
  if (const auto metric = ScanMetricNamed(name)) return *metric;
  throw py::value_error(
      "metric must be \"iterative_time\", \"direct_time\", \"one_step_error\" or \"mean_error\", not \"" + name + "\"");
}

ScanTableKind TableKind(const std::string& name) {
  if (name == "scan") return ScanTableKind::kScan;
  if (name == "curves") return ScanTableKind::kCurves;
  throw py::value_error("a scan's tables are \"scan\" and \"curves\", not \"" + name + "\"");
}

// The columns of a table by name and kind, for a table with no rows.
std::vector<std::pair<std::string, std::string>> TableColumnList(const std::string& name) {
  std::vector<std::pair<std::string, std::string>> columns;
  for (const TableColumn& column : TableColumns(TableKind(name)))
    columns.emplace_back(std::string(column.name), FieldKindName(column.kind));
  return columns;
}

// A time per surrogate as a float, NaN where its check gave none.
py::array_t<double> TimesArray(const std::vector<SurrogateCheck>& checks, bool iterative) {
  std::vector<double> times;
  for (const SurrogateCheck& check : checks) {
    const std::optional<std::int32_t>& time = iterative ? check.iterative_time : check.direct_time;
    times.push_back(time ? static_cast<double>(*time) : NAN);
  }
  return ToArray(times);
}

py::dict SurrogatesDict(const SurrogateRun& run) {
  py::dict out;
  out["method"] = "IAAFT";
  out["count"] = run.settings.count;
  out["seed"] = run.settings.seed;
  out["values"] = run.values;
  out["complete"] = run.complete;
  out["converged"] = run.converged;
  out["iterations"] = ToArray(run.iterations);
  out["making_seconds"] = run.making_seconds;
  out["checking_seconds"] = run.checking_seconds;
  py::list cells;
  for (const SurrogateCellTest& test : run.cells) {
    py::dict cell;
    cell["cell"] = test.cell;
    cell["p_value"] = test.p_value;
    cell["finished"] = test.finished;
    cell["at_most_series"] = test.at_most_series;
    std::vector<double> errors;
    for (const SurrogateCheck& check : test.checks) errors.push_back(check.one_step_error);
    cell["one_step_errors"] = ToArray(errors);
    cell["iterative_times"] = TimesArray(test.checks, true);
    cell["direct_times"] = TimesArray(test.checks, false);
    cell["band_low"] = ToArray(test.band_low);
    cell["band_high"] = ToArray(test.band_high);
    cells.append(cell);
  }
  out["cells"] = cells;
  return out;
}

py::dict ResultDict(const ScanResult& result, const SurrogateRun* surrogates) {
  py::dict out;
  py::list cells;
  const std::size_t columns = result.settings.eps.size();
  for (std::size_t c = 0; c < result.cells.size(); ++c)
    cells.append(CellDict(result.cells[c], result.baselines[c / columns]));
  out["cells"] = cells;
  out["complete"] = result.complete;
  const auto best = BestCell(result);
  out["best"] = best ? py::object(py::int_(*best)) : py::none();
  py::list best_by;
  for (const ScanMetric metric : MetricOrder(result.settings.metric)) best_by.append(ScanMetricName(metric));
  out["best_by"] = best_by;
  py::list edges;
  for (const GridEdge& edge : BestCellEdges(result)) {
    py::dict named;
    named["setting"] = ArgumentName(edge.setting, false);
    named["side"] = edge.smallest ? "smallest" : "largest";
    named["text"] = GridEdgeText(edge);
    edges.append(named);
  }
  out["best_on_edge"] = edges;
  out["ntrain"] = result.settings.Ntrain;
  out["threshold"] = result.settings.threshold;
  out["training_minimum"] = result.training_minimum;
  out["training_maximum"] = result.training_maximum;
  out["eps_unit"] = result.eps_unit;
  py::dict tables;
  tables["scan"] = TableDict(result, ScanTableKind::kScan, surrogates);
  tables["curves"] = TableDict(result, ScanTableKind::kCurves, surrogates);
  out["tables"] = tables;
  out["surrogates"] = surrogates != nullptr ? py::object(SurrogatesDict(*surrogates)) : py::none();
  return out;
}

py::dict Scan(const Series& x, std::int64_t ntrain, const std::vector<std::int64_t>& dims, std::vector<double> epss,
              std::int64_t ltest, std::int64_t ktest, double threshold, int jobs, bool grid, bool baselines,
              const py::object& progress, const std::vector<std::int64_t>& delays, bool skip_singular,
              bool eps_relative, const std::string& metric, std::int64_t bootstrap, std::uint64_t seed,
              std::int64_t surrogates, bool surrogates_all) {
  const TypedCounts typed{.ntrain = ntrain, .dims = dims, .ltest = ltest, .ktest = ktest, .delays = delays};
  std::vector<std::int32_t> dimensions, taus;
  for (const std::int64_t D : dims) dimensions.push_back(Clamped(D));
  for (const std::int64_t tau : delays) taus.push_back(Clamped(tau));
  const ScanSettings settings{.Ntrain = Clamped(ntrain),
                              .D = std::move(dimensions),
                              .eps = std::move(epss),
                              .Ltest = Clamped(ltest),
                              .Ktest = Clamped(ktest),
                              .threshold = threshold,
                              .tau = std::move(taus),
                              .on_singular = skip_singular ? SingularFitPolicy::kSkipPiece : SingularFitPolicy::kStop,
                              .eps_relative = eps_relative,
                              .metric = MetricArgument(metric),
                              .bootstrap = {.resamples = Clamped(bootstrap), .seed = seed}};
  const auto count = static_cast<std::size_t>(x.size());
  const std::vector<double> series = PrivateCopy(x, settings);
  const bool positive = settings.Ntrain > 0 && settings.Ltest > 0 && settings.Ktest > 0 &&
                        std::all_of(settings.D.begin(), settings.D.end(), [](auto D) { return D > 0; }) &&
                        std::all_of(settings.tau.begin(), settings.tau.end(), [](auto tau) { return tau > 0; });
  if (positive) RequireFinite(series, settings.Ntrain);
  RequireSettings(settings, typed, count, grid);
  const ScanResult result = ScanInterruptibly(series, settings, jobs, baselines, progress);
  std::optional<SurrogateRun> tested;
  if (surrogates > 0 && result.complete) {
    tested =
        TestSurrogates(series, result, {.count = Clamped(surrogates), .seed = seed}, surrogates_all, jobs, progress);
  }
  return ResultDict(result, tested ? &*tested : nullptr);
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
             py::arg("baselines"), py::arg("progress"), py::arg("delays"), py::arg("skip_singular"),
             py::arg("eps_relative"), py::arg("metric"), py::arg("bootstrap"), py::arg("seed"), py::arg("surrogates"),
             py::arg("surrogates_all"), "One scan over dims x epss of a float64 array; a dictionary of its cells.");
  module.def("read_series", &modelcheck::ReadSeries, py::arg("path"), py::arg("column"), py::arg("column_name"),
             py::arg("delimiter"), py::arg("skip_rows"), py::arg("fixed"),
             "The values of a series file and a dictionary of how it was read.");
  module.def("table_columns", &modelcheck::TableColumnList, py::arg("table"),
             "The (name, kind) of each column of the scan's \"scan\" or \"curves\" table.");
  module.attr("prediction_threshold") = modelcheck::kPredictionThreshold;
  module.attr("__version__") = MODELCHECK_VERSION;
}
