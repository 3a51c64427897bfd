// The series reader on files: gzip and zstd data, NumPy arrays, named pipes and folders.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>

#include "support/files.h"
#include "support/packed_files.h"
#include "text/series_reader.h"

namespace modelcheck {
namespace {

using testing::Gzip;
using testing::NpyFile;
using testing::Zstd;

SeriesRead Read(const std::string& bytes, SeriesReadOptions options = {}) {
  return ReadSeriesBytes(bytes, "\"test\"", options);
}

ReadProblem ProblemOf(const std::string& bytes, SeriesReadOptions options = {}) {
  try {
    Read(bytes, options);
  } catch (const SeriesReadError& error) {
    return error.reason.empty() ? ReadProblem::kReadFailed : error.problem;
  }
  ADD_FAILURE() << "read without a refusal";
  return ReadProblem::kReadFailed;
}

std::string Lines(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += std::to_string(i) + ".25\n";
  return text;
}

TEST(CompressedSeries, GzipAndZstdReadAsTheirContents) {
  const std::string text = Lines(50000);  // larger than a reading block, compressed and not
  const std::vector<double> plain = Read(text).values;
  ASSERT_EQ(plain.size(), 50000u);
  const SeriesRead gzip = Read(Gzip(text));
  EXPECT_EQ(gzip.values, plain);
  EXPECT_EQ(gzip.info.compression, Compression::kGzip);
  // Two members one after the other, as `cat a.gz b.gz` makes them.
  EXPECT_EQ(Read(Gzip("1\n2\n") + Gzip("3\n")).values, (std::vector<double>{1, 2, 3}));
  const SeriesRead zstd = Read(Zstd(text));
  EXPECT_EQ(zstd.values, plain);
  EXPECT_EQ(zstd.info.compression, Compression::kZstd);
  EXPECT_EQ(Read(Zstd("1\n") + Zstd("2\n")).values, (std::vector<double>{1, 2}));
}

TEST(CompressedSeries, CutShortOrDamagedDataIsRefusedNotReadAsAShorterSeries) {
  const std::string text = Lines(20000);
  for (const std::string& packed : {Gzip(text), Zstd(text)}) {
    EXPECT_EQ(ProblemOf(packed.substr(0, packed.size() / 2)), ReadProblem::kBadCompression);
    EXPECT_EQ(ProblemOf(packed.substr(0, packed.size() - 3)), ReadProblem::kBadCompression);
    std::string damaged = packed;
    damaged[damaged.size() / 2] = static_cast<char>(damaged[damaged.size() / 2] ^ 0x55);
    // Refused, as damaged data or as the garbage it decodes to before its checksum.
    ProblemOf(damaged);
  }
  EXPECT_EQ(ProblemOf(Gzip("1\n") + "trailing"), ReadProblem::kBadCompression);
}

template <typename T>
std::string Bytes(std::initializer_list<T> values, bool big_endian = false) {
  std::string out;
  for (const T value : values) {
    auto bytes = std::bit_cast<std::array<char, sizeof(T)>>(value);
    if (big_endian) std::reverse(bytes.begin(), bytes.end());
    out.append(bytes.data(), bytes.size());
  }
  return out;
}

SeriesReadOptions Column(std::size_t index) {
  SeriesReadOptions options;
  options.column = ColumnChoice{.index = index, .name = {}};
  return options;
}

TEST(NpySeries, EveryElementTypeAndByteOrderReadsExactly) {
  const std::vector<double> expected{1.5, -2.25, 1e300};
  EXPECT_EQ(Read(NpyFile("<f8", "(3,)", Bytes<double>({1.5, -2.25, 1e300}))).values, expected);
  EXPECT_EQ(Read(NpyFile(">f8", "(3,)", Bytes<double>({1.5, -2.25, 1e300}, true))).values, expected);
  EXPECT_EQ(Read(NpyFile("<f4", "(2,)", Bytes<float>({0.1F, -3.F}))).values,
            (std::vector<double>{static_cast<double>(0.1F), -3.0}));
  EXPECT_EQ(Read(NpyFile("<i2", "(3,)", Bytes<std::int16_t>({-32768, 7, 32767}))).values,
            (std::vector<double>{-32768, 7, 32767}));
  EXPECT_EQ(Read(NpyFile(">i4", "(2,)", Bytes<std::int32_t>({-5, 1 << 30}, true))).values,
            (std::vector<double>{-5, 1 << 30}));
  EXPECT_EQ(Read(NpyFile("|u1", "(2,)", Bytes<std::uint8_t>({0, 255}))).values, (std::vector<double>{0, 255}));
  const SeriesRead read = Read(NpyFile("<u8", "(1,)", Bytes<std::uint64_t>({12345678901234ULL})));
  EXPECT_EQ(read.values, (std::vector<double>{12345678901234.0}));
  EXPECT_EQ(read.info.format, SeriesFormat::kNpy);
  EXPECT_EQ(DescribeReading(read.info), "1 value; NumPy array <u8 of shape (1,)");
  // Compressed .npy files are arrays too.
  EXPECT_EQ(Read(Gzip(NpyFile("<f8", "(3,)", Bytes<double>({1.5, -2.25, 1e300})))).values, expected);
}

TEST(NpySeries, AColumnOfATwoDimensionalArrayInEitherOrder) {
  // Rows (1, 10), (2, 20), (3, 30).
  const std::string c_order = NpyFile("<f8", "(3, 2)", Bytes<double>({1, 10, 2, 20, 3, 30}));
  const std::string f_order = NpyFile("<f8", "(3, 2)", Bytes<double>({1, 2, 3, 10, 20, 30}), true);
  for (const std::string& file : {c_order, f_order}) {
    EXPECT_EQ(Read(file, Column(2)).values, (std::vector<double>{10, 20, 30}));
    EXPECT_EQ(Read(file, Column(1)).values, (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(ProblemOf(file), ReadProblem::kSecondValue);
    EXPECT_EQ(ProblemOf(file, Column(3)), ReadProblem::kNoSuchColumn);
  }
  EXPECT_EQ(Read(NpyFile("<f8", "(2, 1)", Bytes<double>({4, 5}))).values, (std::vector<double>{4, 5}));
}

TEST(NpySeries, ArraysThatAreNotASeriesAreRefusedWithTheReason) {
  EXPECT_EQ(ProblemOf(NpyFile("|O", "(2,)", "xxxxxxxxxxxxxxxx")), ReadProblem::kBadNpy);
  EXPECT_EQ(ProblemOf(NpyFile("<c16", "(1,)", std::string(16, '\1'))), ReadProblem::kBadNpy);
  EXPECT_EQ(ProblemOf(NpyFile("<f8", "(1, 1, 1)", Bytes<double>({1}))), ReadProblem::kBadNpy);
  EXPECT_EQ(ProblemOf(NpyFile("<f8", "()", Bytes<double>({1}))), ReadProblem::kBadNpy);
  EXPECT_EQ(ProblemOf(NpyFile("<f8", "(3,)", Bytes<double>({1, 2}))), ReadProblem::kBadNpy);
  EXPECT_EQ(ProblemOf(NpyFile("<f8", "(1,)", Bytes<double>({1, 2}))), ReadProblem::kBadNpy);
  EXPECT_EQ(ProblemOf(NpyFile("<f8", "(2,)", Bytes<double>({1, std::nan("")}))), ReadProblem::kNotFinite);
  EXPECT_EQ(ProblemOf(NpyFile("<f8", "(1000000000000,)", Bytes<double>({1}))), ReadProblem::kBadNpy);
  // A damaged header length must not size an allocation.
  EXPECT_EQ(ProblemOf(std::string("\x93NUMPY\x02\x00\xff\xff\xff\xff{}", 14)), ReadProblem::kBadNpy);
}

TEST(SeriesFiles, ANamedPipeIsReadAsAStreamAndAFolderIsRefused) {
  const testing::WorkDirectory folder;
  const std::string path = folder.path().string();
  const std::string pipe = path + "/series.fifo";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  std::thread writer([&] { std::ofstream(pipe) << "# from a pipe\n1.5\n2.5\n"; });
  const SeriesRead read = ReadSeriesFile(pipe, {});
  writer.join();
  EXPECT_EQ(read.values, (std::vector<double>{1.5, 2.5}));
  EXPECT_EQ(read.info.skipped_comment, 1u);
  try {
    ReadSeriesFile(path, {});
    ADD_FAILURE() << "a folder was read";
  } catch (const SeriesReadError& error) {
    EXPECT_EQ(error.problem, ReadProblem::kCannotOpen);
    EXPECT_EQ(std::string(error.what()), "\"" + path + "\": a folder, not a file");
  }
  EXPECT_THROW(ReadSeriesFile(path + "/missing.txt", {}), SeriesReadError);
  EXPECT_THROW(ReadSeriesFile(std::string("a\0b", 3), {}), SeriesReadError);
}

}  // namespace
}  // namespace modelcheck
