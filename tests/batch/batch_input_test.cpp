// The batch program on researchers' own files: every kind of file gives the
// scan of the same values, says how it was read, and refuses what it cannot
// read with the file, the line and why.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <bit>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "support/files.h"
#include "support/henon.h"
#include "support/packed_files.h"

namespace modelcheck {
namespace {

using testing::ReadText;
using testing::WorkDirectory;

struct BatchRun {
  int status = -1;
  std::string errors;
};

// Runs the program with `arguments` (bash words) in `folder`, after the
// bash line `prelude`.
BatchRun RunBatch(const WorkDirectory& folder, const std::string& arguments, const std::string& prelude = "") {
  folder.WriteFile("run.sh", "cd '" + folder.path().string() + "'\n" + prelude + "\ntimeout 120 '" +
                                 MODELCHECK_BATCH_PROGRAM + "' " + arguments + " >/dev/null 2>err.txt\n");
  const int status = std::system(("bash '" + (folder.path() / "run.sh").string() + "'").c_str());
  return {.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1, .errors = ReadText(folder.path() / "err.txt")};
}

std::string Printed(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

class BatchInputTest : public ::testing::Test {
 protected:
  BatchInputTest() {
    std::string plain, csv = "time,x\n", tsv, decorated = "\xEF\xBB\xBF# Henon x\r\n\r\n";
    std::string npy_data;
    for (std::size_t i = 0; i < values_.size(); ++i) {
      const std::string value = Printed("%.17g", values_[i]);
      plain += value + "\n";
      csv += Printed("%g", 0.01 * static_cast<double>(i)) + "," + value + "\n";
      tsv += std::to_string(i) + "\t" + value + "\n";
      decorated += "  " + value + "\t\r\n" + (i % 100 == 0 ? "# a note\r\n\r\n" : "");
      const auto bytes = std::bit_cast<std::array<char, 8>>(values_[i]);
      npy_data.append(bytes.data(), bytes.size());
    }
    folder_.WriteFile("plain.txt", plain);
    folder_.WriteFile("table.csv", csv);
    folder_.WriteFile("table.tsv", tsv);
    folder_.WriteFile("decorated.txt", decorated);
    folder_.WriteFile("plain.txt.gz", testing::Gzip(plain));
    folder_.WriteFile("table.csv.zst", testing::Zstd(csv));
    folder_.WriteFile("series.npy", testing::NpyFile("<f8", "(" + std::to_string(values_.size()) + ",)", npy_data));
  }

  // scan.csv of a small scan of `arguments`' series into `out`.
  std::string Scan(const std::string& arguments, const std::string& out, const std::string& prelude = "") {
    const BatchRun run =
        RunBatch(folder_, arguments + " --dim 1:2 --eps 0.05:0.1:2 --ltest 10 --ktest 20 --out " + out, prelude);
    EXPECT_EQ(run.status, 0) << arguments << ": " << run.errors;
    last_errors_ = run.errors;
    return ReadText(folder_.path() / out / "scan.csv");
  }

  const std::vector<double> values_ = testing::HenonValues(800);
  WorkDirectory folder_;
  std::string last_errors_;
};

TEST_F(BatchInputTest, EveryKindOfFileGivesTheScanOfTheSameValues) {
  const std::string reference = Scan("plain.txt", "plain");
  EXPECT_EQ(last_errors_, "modelcheck-batch: read \"plain.txt\": 800 values; plain text\n");
  EXPECT_EQ(Scan("table.csv --column x", "by-name"), reference);
  EXPECT_EQ(last_errors_,
            "modelcheck-batch: read \"table.csv\": 800 values; plain text; column 2 (\"x\"), comma-separated; "
            "header line \"time,x\"\n");
  EXPECT_EQ(Scan("table.csv --column 2", "by-index"), reference);
  EXPECT_EQ(Scan("table.tsv --column 2 --delimiter tab", "tsv"), reference);
  EXPECT_EQ(Scan("decorated.txt", "decorated"), reference);
  EXPECT_NE(last_errors_.find("skipped 9 blank lines, 9 comment lines"), std::string::npos) << last_errors_;
  EXPECT_EQ(Scan("plain.txt.gz", "gzip"), reference);
  EXPECT_EQ(Scan("table.csv.zst --column x", "zstd"), reference);
  EXPECT_EQ(Scan("series.npy", "npy"), reference);
  EXPECT_EQ(Scan("- < plain.txt", "stdin"), reference);
  EXPECT_EQ(Scan("<(gzip -dc plain.txt.gz)", "substituted"), reference);
  ASSERT_EQ(std::system(("mkfifo '" + (folder_.path() / "pipe").string() + "'").c_str()), 0);
  EXPECT_EQ(Scan("pipe", "fifo", "cat plain.txt > pipe &"), reference);
}

TEST_F(BatchInputTest, ResultsJsonSaysHowTheFileWasRead) {
  Scan("table.csv.zst --column x", "zstd");
  const auto reading = nlohmann::json::parse(ReadText(folder_.path() / "zstd" / "results.json"))["series"]["reading"];
  EXPECT_EQ(reading["format"], "plain");
  EXPECT_EQ(reading["compression"], "zstd");
  EXPECT_EQ(reading["values"], 800);
  EXPECT_EQ(reading["skipped_blank"], 0);
  EXPECT_EQ(reading["skipped_comment"], 0);
  EXPECT_EQ(reading["header"], "time,x");
  EXPECT_EQ(reading["column"], 2);
  EXPECT_EQ(reading["column_name"], "x");
  EXPECT_EQ(reading["delimiter"], "comma");
}

TEST_F(BatchInputTest, TheFixedFieldReadsAsTheInteractiveProgramAndSaysWhatItChanged) {
  std::string whole;
  for (std::size_t i = 0; i < 400; ++i) whole += std::to_string(static_cast<int>(values_[i] * 1000)) + "\n";
  folder_.WriteFile("counts.txt", whole + "\n");
  const std::string settings = " --dim 1 --ltest 10 --ktest 20";
  EXPECT_EQ(RunBatch(folder_, "counts.txt --eps 50 --out plain" + settings).errors,
            "modelcheck-batch: read \"counts.txt\": 400 values; plain text; skipped 1 blank line\n");
  const BatchRun fixed = RunBatch(folder_, "counts.txt --fixed-field --eps 1e-8 --out fixed" + settings);
  EXPECT_EQ(fixed.status, 0) << fixed.errors;
  EXPECT_NE(fixed.errors.find("401 values; fixed 20-column records with 10 implied decimals; "), std::string::npos);
  EXPECT_NE(fixed.errors.find(" values had no decimal point and carry 10 implied decimals; 1 blank line was read as 0"),
            std::string::npos);
  const auto reading = nlohmann::json::parse(ReadText(folder_.path() / "fixed" / "results.json"))["series"]["reading"];
  EXPECT_EQ(reading["format"], "fixed");
  EXPECT_EQ(reading["values"], 401);
  EXPECT_GT(reading["implied_decimals"].get<int>(), 390);
  EXPECT_EQ(reading["blank_as_zero"], 1);
}

TEST_F(BatchInputTest, RefusalsNameTheFileTheLineTheTextAndWhyWithStatusOne) {
  folder_.WriteFile("nan.txt", "1.5\n2.5\nNaN\n");
  folder_.WriteFile("binary.dat", std::string("\x01\x02\0\0\x7f", 5));
  const std::string second_line = "0," + Printed("%.17g", values_[0]);
  const struct {
    std::string arguments;
    std::string message;
  } cases[] = {
      {"nan.txt", "modelcheck-batch: \"nan.txt\", line 3: \"NaN\": not a finite number\n"},
      {"table.csv",
       "modelcheck-batch: \"table.csv\", line 2: \"" + second_line +
           "\": the line holds 2 values (comma-separated) and no column was chosen (choose one with --column)\n"},
      {"table.csv --column y",
       "modelcheck-batch: \"table.csv\", line 1: \"time,x\": no column is named \"y\"; the header names \"time\", "
       "\"x\"\n"},
      {"binary.dat",
       "modelcheck-batch: \"binary.dat\": this looks like a binary file (it holds a NUL byte); for NumPy files use "
       ".npy\n"},
  };
  for (const auto& c : cases) {
    const BatchRun run = RunBatch(folder_, c.arguments);
    EXPECT_EQ(run.status, 1) << c.arguments;
    EXPECT_EQ(run.errors, c.message);
  }
  EXPECT_EQ(RunBatch(folder_, "plain.txt --column 0").status, 2);
  EXPECT_EQ(RunBatch(folder_, "plain.txt --fixed-field --column 1").status, 2);
  EXPECT_EQ(RunBatch(folder_, "plain.txt --delimiter pipe").status, 2);
}

}  // namespace
}  // namespace modelcheck
