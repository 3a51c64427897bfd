// How a batch run was made, as every output of it records: the program and
// its version, the command line, when the run started (UTC), the series
// (file, value count and the SHA-256 of its values) and the settings. Written
// as meta.json beside the tables and pictures (a commented line would make a
// CSV file no longer CSV), and as the "meta" object of results.json.
#pragma once

#include <chrono>
#include <cstddef>
#include <nlohmann/json.hpp>
#include <span>
#include <string>
#include <vector>

#include "modelcheck/scan.h"

namespace modelcheck {

struct RunMeta {
  std::vector<std::string> command_line;  // as given, the program first
  std::string started;                    // "2026-12-09T03:20:00Z"
  // Of the values as IEEE 754 doubles in little-endian order, whatever the
  // file's format, so that the same series read from text, gzip or .npy has
  // one hash, and Python computes it as
  // hashlib.sha256(numpy.asarray(x, "<f8").tobytes()).hexdigest().
  std::string series_sha256;
};

std::string Sha256OfValues(std::span<const double> values);

// "YYYY-MM-DDThh:mm:ssZ".
std::string UtcTimestamp(std::chrono::system_clock::time_point time);

RunMeta MakeRunMeta(int argc, const char* const* argv, std::span<const double> series,
                    std::chrono::system_clock::time_point started);

// {program, version, command_line, started, series {file, values, sha256},
// settings} (the settings as results.json has them).
nlohmann::ordered_json RunMetaJson(const RunMeta& meta, const ScanSettings& settings, const std::string& file,
                                   std::size_t values);

}  // namespace modelcheck
