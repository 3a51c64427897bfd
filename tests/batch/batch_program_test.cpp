// The batch program as a user runs it: its figures against the interactive
// program's for the same series and settings (a singular-fit cell and an
// infeasible one among them), output files the same for any job count,
// standard input, and the exit statuses of failures and interruptions.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "presentation/neighbour_counts_file.h"
#include "support/files.h"
#include "support/henon.h"
#include "support/program_session.h"
#include "support/sanitizer.h"
#include "support/singular_fit_case.h"
#include "text/fixed_field.h"

namespace modelcheck {
namespace {

using testing::ReadText;
using testing::WorkDirectory;

struct BatchRun {
  int status = -1;
  std::string output;
  std::string errors;
};

// Runs the batch program in `directory` with `arguments` (shell words).
BatchRun RunBatch(const WorkDirectory& directory, const std::string& arguments, const std::string& input = "") {
  const std::string command = "cd '" + directory.path().string() + "' && timeout 300 '" MODELCHECK_BATCH_PROGRAM "' " +
                              arguments + " <" + (input.empty() ? "/dev/null" : input) + " >out.txt 2>err.txt";
  const int wstatus = std::system(command.c_str());
  BatchRun run;
  run.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
  run.output = ReadText(directory.path() / "out.txt");
  run.errors = ReadText(directory.path() / "err.txt");
  return run;
}

// Lines in the file at `path` so far (0 while it is missing).
std::size_t LinesIn(const std::filesystem::path& path) {
  const std::string text = ReadText(path);
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

// Runs the batch program with `arguments` (shell words) in `folder`, sends it
// `signal_number` once its cells.jsonl in `out` holds `lines` lines (a
// minute at most: the sanitizer builds run many times slower), and gives its
// wait status.
int RunUntilSignalled(const WorkDirectory& folder, const std::string& arguments, const std::string& out,
                      std::size_t lines, int signal_number) {
  const std::string command =
      "cd '" + folder.path().string() + "' && exec '" MODELCHECK_BATCH_PROGRAM "' " + arguments + " --out " + out;
  const pid_t child = fork();
  if (child < 0) return -1;  // never a kill of pid -1
  if (child == 0) {
    execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
  while (LinesIn(folder.path() / out / "cells.jsonl") < lines && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  kill(child, signal_number);
  int wstatus = 0;
  waitpid(child, &wstatus, 0);
  return wstatus;
}

nlohmann::json ReadJson(const std::filesystem::path& path) { return nlohmann::json::parse(ReadText(path)); }

std::string SeriesText(const std::vector<double>& values) {
  std::string text;
  for (const double value : values) {
    char line[40];
    std::snprintf(line, sizeof line, "%.12f\n", value);
    text += line;
  }
  return text;
}

// The logistic map at r = 3.9: another chaotic series, on [0, 1].
std::vector<double> LogisticValues(int count) {
  std::vector<double> values;
  double x = 0.3;
  for (int n = -100; n < count; ++n) {
    x = 3.9 * x * (1.0 - x);
    if (n >= 0) values.push_back(x);
  }
  return values;
}

// What the interactive program reports for one check, and the neighbour counts it writes.
struct DialogueFigures {
  std::vector<std::string> lines;  // the one-step error and the two prediction times
  std::string neighbours;
};

bool Wanted(const std::string& line) {
  return line.find("One-step prediction error") != std::string::npos ||
         line.find("Prediction time") != std::string::npos;
}

DialogueFigures RunDialogue(const WorkDirectory& directory, const std::string& file, const std::string& Ntrain,
                            const std::string& D, const std::string& eps, int Ltest, int Ktest) {
  std::vector<std::string> answers{file, Ntrain, D, eps};
  if (Ltest == 30 && Ktest == 100) {
    answers.push_back("n");
  } else {
    for (const std::string& answer : {std::string("y"), std::to_string(Ltest), std::to_string(Ktest)})
      answers.push_back(answer);
  }
  for (int i = 0; i < 4; ++i) answers.push_back("n");
  testing::RunProgram(MODELCHECK_PROGRAM, directory, answers);
  DialogueFigures figures;
  std::istringstream report(ReadText(directory.path() / "report.txt"));
  for (std::string line; std::getline(report, line);) {
    if (Wanted(line)) figures.lines.push_back(line);
  }
  figures.neighbours = ReadText(directory.path() / "neighbors.txt");
  return figures;
}

// The same lines made from the batch program's results.json, as the report prints them.
DialogueFigures FromBatch(const nlohmann::json& cell) {
  DialogueFigures figures;
  if (!cell["iterative"]["errors"].empty()) {
    figures.lines.push_back(
        " One-step prediction error: " + FormatFixed(100.0 * cell["one_step_error"].get<double>(), 9, 5) + " %");
    figures.lines.push_back(" Prediction time (iterative method):  " +
                            FormatCount(cell["iterative"]["prediction_time"].get<std::int32_t>(), 5));
  }
  if (!cell["direct"]["errors"].empty()) {
    figures.lines.push_back(" Prediction time (direct method): " +
                            FormatCount(cell["direct"]["prediction_time"].get<std::int32_t>(), 5));
    figures.neighbours = FormatNeighbourCounts(cell["direct_neighbours"]["counts"].get<std::vector<std::int32_t>>());
  }
  return figures;
}

TEST(BatchProgramTest, FiguresEqualTheInteractiveProgramsOnSeveralSeries) {
  const struct {
    std::string series;
    std::string Ntrain, D, eps;
    int Ltest, Ktest;
  } cases[] = {
      {testing::HenonSeries(2500), "2300", "2", "0.05", 30, 100},
      {SeriesText(LogisticValues(1500)), "1200", "3", "0.02", 25, 60},
      {testing::kSingularFitSeries, "10", "1", "0.5", 2, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("Ntrain " + c.Ntrain + " D " + c.D + " eps " + c.eps);
    WorkDirectory dialogue_folder, batch_folder;
    dialogue_folder.WriteFile("series.txt", c.series);
    batch_folder.WriteFile("series.txt", c.series);
    const DialogueFigures dialogue = RunDialogue(dialogue_folder, "series.txt", c.Ntrain, c.D, c.eps, c.Ltest, c.Ktest);
    // A second box size above the range gives an infeasible cell beside it.
    const BatchRun run = RunBatch(batch_folder, "series.txt --ntrain " + c.Ntrain + " --dim " + c.D + " --eps " +
                                                    c.eps + ":1000:2 --ltest " + std::to_string(c.Ltest) + " --ktest " +
                                                    std::to_string(c.Ktest) + " --format json");
    ASSERT_EQ(run.status, 0) << run.errors;
    const nlohmann::json json = ReadJson(batch_folder.path() / "results.json");
    const DialogueFigures batch = FromBatch(json["cells"][0]);
    EXPECT_EQ(batch.lines, dialogue.lines);
    EXPECT_EQ(batch.neighbours, dialogue.neighbours);
    EXPECT_EQ(json["cells"][1]["status"], "infeasible");
    EXPECT_TRUE(json["complete"].get<bool>());
  }
}

TEST(BatchProgramTest, ASingularCellKeepsWhereItStoppedAndTheMessagesValues) {
  WorkDirectory folder;
  folder.WriteFile("series.txt", testing::kSingularFitSeries);
  const BatchRun run = RunBatch(folder, "series.txt --ntrain 10 --dim 1 --eps 0.5 --ltest 2 --ktest 1");
  ASSERT_EQ(run.status, 0) << run.errors;
  const nlohmann::json cell = ReadJson(folder.path() / "results.json")["cells"][0];
  EXPECT_EQ(cell["status"], "singular");
  EXPECT_EQ(cell["stop"]["phase"], "direct");
  EXPECT_EQ(cell["stop"]["piece"], 1);
  EXPECT_EQ(cell["stop"]["step"], 1);
  EXPECT_EQ(cell["stop"]["reason"], "singular_fit");
  EXPECT_GE(cell["stop"]["zero_diagonal"], 1);
  EXPECT_FALSE(cell["stop"]["message"].get<std::string>().empty());
  EXPECT_EQ(cell["iterative"]["prediction_time"], 0);
  EXPECT_TRUE(cell["direct"]["prediction_time"].is_null()) << cell["direct"];
  EXPECT_NE(run.output.find("1 cell: 0 finished, 1 singular, 0 infeasible"), std::string::npos) << run.output;
  EXPECT_NE(ReadText(folder.path() / "scan.csv").find("1,0.5,singular,0.34684"), std::string::npos);
}

// results.json less its record of how the run was made (command line, start time).
std::string ResultsWithoutMeta(const std::filesystem::path& path) {
  nlohmann::ordered_json json = nlohmann::ordered_json::parse(ReadText(path));
  json.erase("meta");
  return json.dump(2);
}

TEST(BatchProgramTest, OutputFilesAreTheSameForAnyNumberOfJobs) {
  WorkDirectory folder;
  folder.WriteFile("henon.txt", testing::HenonSeries(3000));
  const std::string scan = "henon.txt --dim 1:3 --eps-log 0.01:0.3:4 --ltest 20 --ktest 50 --out ";
  ASSERT_EQ(RunBatch(folder, scan + "one --jobs 1").status, 0);
  ASSERT_EQ(RunBatch(folder, scan + "two --jobs 2").status, 0);
  for (const char* name : {"curves.csv", "scan.csv", "scan.png", "curves.png"}) {
    const auto one = testing::ReadBytes(folder.path() / "one" / name);
    EXPECT_FALSE(one.empty()) << name;
    EXPECT_EQ(one, testing::ReadBytes(folder.path() / "two" / name)) << name;
  }
  EXPECT_EQ(ResultsWithoutMeta(folder.path() / "one" / "results.json"),
            ResultsWithoutMeta(folder.path() / "two" / "results.json"));
  // Each output folder records its run: the command line, when, and the series' hash.
  const nlohmann::json meta = ReadJson(folder.path() / "two" / "meta.json");
  EXPECT_EQ(meta["command_line"].back(), "2");
  EXPECT_EQ(meta["series"]["sha256"], ReadJson(folder.path() / "one" / "meta.json")["series"]["sha256"]);
  EXPECT_EQ(meta["series"]["sha256"].get<std::string>().size(), 64u);
  EXPECT_EQ(meta["started"].get<std::string>().size(), 20u);  // 2026-12-09T03:20:00Z
  EXPECT_EQ(meta["settings"]["Ltest"], 20);
  EXPECT_EQ(ReadJson(folder.path() / "two" / "results.json")["meta"], meta);
}

TEST(BatchProgramTest, SurrogatesAndIntervalsAreInEveryOutputAndTheSameForAnyNumberOfJobs) {
  WorkDirectory folder;
  folder.WriteFile("henon.txt", testing::HenonSeries(2000));
  const std::string scan =
      "henon.txt --dim 1:2 --eps 0.05 --ltest 10 --ktest 60 --surrogates 9 --seed 5 --bootstrap=200 --out ";
  const BatchRun one = RunBatch(folder, scan + "one --jobs 1");
  ASSERT_EQ(one.status, 0) << one.errors;
  ASSERT_EQ(RunBatch(folder, scan + "two --jobs 2").status, 0);
  for (const char* name : {"curves.csv", "scan.csv", "curves.png"})
    EXPECT_EQ(testing::ReadBytes(folder.path() / "one" / name), testing::ReadBytes(folder.path() / "two" / name))
        << name;
  EXPECT_EQ(ResultsWithoutMeta(folder.path() / "one" / "results.json"),
            ResultsWithoutMeta(folder.path() / "two" / "results.json"));

  // The best cell (D 2) beats all nine surrogates: p = 1/10.
  EXPECT_NE(one.output.find("Surrogates (9 IAAFT, seed 5) for D = 2, eps = 0.05: p = 0.1 (0 of 9"), std::string::npos)
      << one.output;
  const nlohmann::json results = ReadJson(folder.path() / "one" / "results.json");
  const nlohmann::json& tested = results["surrogates"]["cells"].at(0);
  EXPECT_EQ(tested["cell"], results["best_cell"]);
  EXPECT_EQ(tested["p_value"], 0.1);
  EXPECT_EQ(tested["one_step_errors"].size(), 9u);
  EXPECT_EQ(results["settings"]["bootstrap"]["resamples"], 200);
  const nlohmann::json& best = results["cells"].at(1);
  EXPECT_LE(best["iterative"]["interval"]["prediction_time_low"], best["iterative"]["prediction_time"]);
  EXPECT_EQ(best["direct"]["interval"]["errors_high"].size(), 10u);

  std::istringstream table(ReadText(folder.path() / "one" / "scan.csv"));
  std::string header, first_row, second_row;
  std::getline(table, header);
  std::getline(table, first_row);
  std::getline(table, second_row);
  EXPECT_TRUE(first_row.ends_with(",,,,,")) << first_row;                  // D 1 was not tested
  EXPECT_NE(second_row.find(",9,0.1,"), std::string::npos) << second_row;  // surrogates, p-value

  const BatchRun refused = RunBatch(folder, "henon.txt --surrogates 0");
  EXPECT_EQ(refused.status, 2);
  EXPECT_NE(refused.errors.find("--surrogates: 0 is out of range: allowed 1 to 100000"), std::string::npos)
      << refused.errors;
}

TEST(BatchProgramTest, NoBaselinesLeavesTheirFieldsEmptyAndTheCellsAsTheyAre) {
  WorkDirectory folder;
  folder.WriteFile("henon.txt", testing::HenonSeries(3000));
  const std::string scan = "henon.txt --dim 1:2 --eps 0.05 --ltest 20 --ktest 50 --format csv --out ";
  ASSERT_EQ(RunBatch(folder, scan + "with").status, 0);
  ASSERT_EQ(RunBatch(folder, scan + "without --no-baselines").status, 0);
  std::istringstream with(ReadText(folder.path() / "with" / "scan.csv"));
  std::istringstream without(ReadText(folder.path() / "without" / "scan.csv"));
  std::string a, b;
  std::getline(with, a);
  std::getline(without, b);
  EXPECT_EQ(a, b);  // the header
  int rows = 0;
  while (std::getline(with, a) && std::getline(without, b)) {
    // D,eps,status,one_step_error,iterative_time,direct_time, then the three baseline times.
    std::size_t cut = 0;
    for (int field = 0; field < 6; ++field) cut = a.find(',', cut) + 1;
    EXPECT_EQ(a.substr(0, cut), b.substr(0, cut));
    EXPECT_EQ(b.substr(cut, 3), ",,,") << b;
    EXPECT_NE(a.substr(cut, 3), ",,,") << a;
    ++rows;
  }
  EXPECT_EQ(rows, 2);
}

TEST(BatchProgramTest, StandardInputGivesTheSameResultsAsTheFile) {
  WorkDirectory folder;
  folder.WriteFile("henon.txt", testing::HenonSeries(1000));
  ASSERT_EQ(RunBatch(folder, "henon.txt --format csv --out file").status, 0);
  ASSERT_EQ(RunBatch(folder, "- --format csv --out piped", "henon.txt").status, 0);
  EXPECT_EQ(ReadText(folder.path() / "file" / "scan.csv"), ReadText(folder.path() / "piped" / "scan.csv"));
}

TEST(BatchProgramTest, UsageErrorsGiveOneLineAndStatusTwo) {
  WorkDirectory folder;
  folder.WriteFile("henon.txt", testing::HenonSeries(1000));
  for (const char* arguments : {"henon.txt --dim 0", "henon.txt --ktest 2000", "henon.txt --eps abc", "",
                                "henon.txt --ntrain 999", "henon.txt --jobs -3"}) {
    const BatchRun run = RunBatch(folder, arguments);
    EXPECT_EQ(run.status, 2) << arguments;
    EXPECT_EQ(run.errors.rfind("modelcheck-batch: ", 0), 0u) << run.errors;
    EXPECT_TRUE(run.output.empty());
  }
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "results.json"));
}

TEST(BatchProgramTest, InputAndOutputFailuresAreNamedWithStatusOne) {
  WorkDirectory folder;
  folder.WriteFile("henon.txt", testing::HenonSeries(1000));
  folder.WriteFile("bad.txt", "0.5\n0.25\nnot a number\n");
  const BatchRun missing = RunBatch(folder, "absent.txt");
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.errors, "modelcheck-batch: \"absent.txt\": no such file\n");
  const BatchRun bad = RunBatch(folder, "bad.txt");
  EXPECT_EQ(bad.status, 1);
  EXPECT_EQ(bad.errors, "modelcheck-batch: \"bad.txt\", line 3: \"not a number\": not a number\n");
  // An empty or closed standard input is a failure of the input, not of the usage.
  const BatchRun empty = RunBatch(folder, "-");
  EXPECT_EQ(empty.status, 1);
  EXPECT_EQ(empty.errors, "modelcheck-batch: standard input holds no values\n");
  // A folder cannot be made under a file, whoever runs the test.
  const BatchRun unwritable = RunBatch(folder, "henon.txt --out henon.txt/results");
  EXPECT_EQ(unwritable.status, 1);
  EXPECT_NE(unwritable.errors.find("\"henon.txt/results\""), std::string::npos) << unwritable.errors;
}

// Ctrl-C, and what timeout, batch schedulers and a closed ssh session send.
TEST(BatchProgramTest, StopSignalsWriteWhatFinishedAndMarkTheFilesIncomplete) {
  WorkDirectory folder;
  // Its first cells take a second here, and a minute under the sanitizers at full length.
  folder.WriteFile("henon.txt", testing::HenonSeries(testing::kAddressSanitizer ? 20000 : 100000));
  for (const auto& [signal_number, status] :
       {std::pair{SIGINT, 130}, std::pair{SIGTERM, 143}, std::pair{SIGHUP, 129}}) {
    SCOPED_TRACE(strsignal(signal_number));
    std::filesystem::remove_all(folder.path() / "out");
    // Once the header, the six dimensions' baselines and a cell are logged: far from the end of the scan.
    const int wstatus = RunUntilSignalled(folder, "henon.txt --dim 1:6 --eps-log 0.05:0.3:20 --jobs 1 2>err.txt", "out",
                                          8, signal_number);
    ASSERT_TRUE(WIFEXITED(wstatus)) << "ended by a signal";
    EXPECT_EQ(WEXITSTATUS(wstatus), status) << ReadText(folder.path() / "err.txt");
    const nlohmann::json json = ReadJson(folder.path() / "out" / "results.json");
    EXPECT_FALSE(json["complete"].get<bool>());
    int not_run = 0, finished = 0;
    for (const auto& cell : json["cells"]) {
      not_run += cell["status"] == "not run";
      finished += cell["status"] == "finished";
    }
    EXPECT_GT(not_run, 0);
    EXPECT_GT(finished, 0);
    EXPECT_NE(ReadText(folder.path() / "out" / "scan.csv").find(",not run,"), std::string::npos);
  }
}

TEST(BatchProgramTest, AStopDuringTheSurrogatesKeepsTheScanAndGivesNoPValue) {
  WorkDirectory folder;
  // A surrogate of these values takes about a second (far longer under the sanitizers).
  folder.WriteFile("henon.txt", testing::HenonSeries(testing::kAddressSanitizer ? 20000 : 100000));
  // Once the header, the baselines and the one cell are logged, the surrogates are being made.
  const auto started = std::chrono::steady_clock::now();
  const int wstatus =
      RunUntilSignalled(folder, "henon.txt --dim 2 --eps 0.01 --surrogates 99 --jobs 1 2>err.txt", "out", 3, SIGTERM);
  ASSERT_TRUE(WIFEXITED(wstatus)) << "ended by a signal";
  EXPECT_EQ(WEXITSTATUS(wstatus), 143) << ReadText(folder.path() / "err.txt");
  // Not 99 surrogates' time: the one being made stops too.
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(testing::kAddressSanitizer ? 50 : 20));
  const nlohmann::json json = ReadJson(folder.path() / "out" / "results.json");
  EXPECT_TRUE(json["complete"].get<bool>());
  EXPECT_EQ(json["cells"][0]["status"], "finished");
  EXPECT_FALSE(json["surrogates"]["complete"].get<bool>());
  EXPECT_TRUE(json["surrogates"]["cells"].empty());
}

// A scan killed outright (kill -9) keeps every outcome in cells.jsonl, and
// --resume ends it with the files one uninterrupted run writes.
TEST(BatchProgramTest, AResumedScanWritesTheFilesOfOneUninterruptedRun) {
  WorkDirectory folder;
  // Long enough to be caught half done, short enough for the sanitizer builds.
  folder.WriteFile("henon.txt", testing::HenonSeries(testing::kAddressSanitizer ? 20000 : 100000));
  const std::string grid = "henon.txt --dim 1:3 --eps-log 0.02:0.3:6 --jobs 2";
  ASSERT_EQ(RunBatch(folder, grid + " --out whole").status, 0);
  // Once the header, the three baselines and two cells are logged.
  RunUntilSignalled(folder, grid + " 2>/dev/null", "cut", 6, SIGKILL);
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "cut" / "results.json"));
  const BatchRun resumed = RunBatch(folder, grid + " --out cut --resume");
  ASSERT_EQ(resumed.status, 0) << resumed.errors;
  EXPECT_NE(resumed.errors.find("resuming from"), std::string::npos) << resumed.errors;
  for (const char* name : {"curves.csv", "scan.csv", "scan.png", "curves.png"})
    EXPECT_EQ(ReadText(folder.path() / "cut" / name), ReadText(folder.path() / "whole" / name)) << name;
  EXPECT_EQ(ResultsWithoutMeta(folder.path() / "cut" / "results.json"),
            ResultsWithoutMeta(folder.path() / "whole" / "results.json"));
  // Another grid does not take this log's outcomes.
  const BatchRun other = RunBatch(folder, "henon.txt --dim 1:2 --out cut --resume");
  EXPECT_EQ(other.status, 1);
  EXPECT_NE(other.errors.find("belongs to another scan"), std::string::npos) << other.errors;
}

TEST(BatchProgramTest, AnOutputThatCannotBeWrittenIsFoundBeforeAnyWork) {
  WorkDirectory folder;
  folder.WriteFile("henon.txt", testing::HenonSeries(1000));
  folder.WriteFile("taken", "a file where the folder should be");
  const BatchRun file = RunBatch(folder, "henon.txt --out taken");
  EXPECT_EQ(file.status, 1);
  EXPECT_NE(file.errors.find("\"taken\""), std::string::npos) << file.errors;
  // A named pipe at an output name would block the program for ever.
  std::filesystem::create_directory(folder.path() / "out");
  ASSERT_EQ(mkfifo((folder.path() / "out" / "scan.csv").c_str(), 0600), 0);
  const BatchRun pipe = RunBatch(folder, "henon.txt --out out");
  EXPECT_EQ(pipe.status, 1);
  EXPECT_NE(pipe.errors.find("scan.csv\": a named pipe stands there"), std::string::npos) << pipe.errors;
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "out" / "results.json"));
}

TEST(BatchProgramTest, AStandardOutputThatCannotBeWrittenIsAFailure) {
  WorkDirectory folder;
  folder.WriteFile("henon.txt", testing::HenonSeries(1000));
  for (const char* arguments : {"--help", "henon.txt --format csv"}) {
    const std::string command =
        "cd '" + folder.path().string() + "' && '" MODELCHECK_BATCH_PROGRAM "' " + arguments + " >/dev/full 2>err.txt";
    const int wstatus = std::system(command.c_str());
    EXPECT_EQ(WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1, 1) << arguments;
    EXPECT_NE(ReadText(folder.path() / "err.txt").find("cannot write standard output"), std::string::npos);
  }
}

TEST(BatchProgramTest, ASeriesNameThatIsNotUtf8KeepsItsResults) {
  WorkDirectory folder;
  const std::string name = "caf\xe9.txt";  // Latin-1, as an old file system may hold it
  folder.WriteFile(name, testing::HenonSeries(1000));
  const BatchRun run = RunBatch(folder, "'" + name + "' --format json,png");
  ASSERT_EQ(run.status, 0) << run.errors;
  const nlohmann::json json = ReadJson(folder.path() / "results.json");
  EXPECT_EQ(json["series"]["file"], "caf\\xe9.txt");
  EXPECT_EQ(json["series"]["file_bytes_hex"], "636166e92e747874");
  EXPECT_TRUE(std::filesystem::exists(folder.path() / "scan.png"));
}

}  // namespace
}  // namespace modelcheck
