// The series reader on text: plain numbers, tables, fixed records, and every refusal.
#include "text/series_reader.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "text/series_file.h"

namespace modelcheck {
namespace {

SeriesRead Read(const std::string& bytes, SeriesReadOptions options = {}) {
  return ReadSeriesBytes(bytes, "\"test.txt\"", options);
}

SeriesReadOptions Column(std::size_t index, std::string name = {}) {
  SeriesReadOptions options;
  options.column = ColumnChoice{.index = index, .name = std::move(name)};
  return options;
}

// The refusal's problem, line and message.
SeriesReadError Refusal(const std::string& bytes, SeriesReadOptions options = {}) {
  try {
    Read(bytes, options);
  } catch (const SeriesReadError& error) {
    return error;
  }
  ADD_FAILURE() << "read without a refusal: " << bytes.substr(0, 80);
  return SeriesReadError(ReadProblem::kReadFailed, "", 0, "", "");
}

TEST(PlainSeries, ReadsWholeNumbersAndEveryWayOfWritingADecimalAsCppDoes) {
  const SeriesRead read = Read("20\n-3\n1.5e-3\n-.5\n5.\n+2.25\n1.5D3\n2d-1\n0.1000000000000000055511151231257827\n");
  const std::vector<double> expected{20, -3, 1.5e-3, -0.5, 5, 2.25, 1500, 0.2, 0.1};
  EXPECT_EQ(read.values, expected);
  EXPECT_EQ(read.info.format, SeriesFormat::kPlain);
  EXPECT_EQ(read.info.values, 9u);
}

TEST(PlainSeries, SeventeenDigitValuesReadBackBitForBit) {
  std::mt19937_64 random(20261208);
  std::string text;
  std::vector<double> written;
  for (int i = 0; i < 20000; ++i) {
    const double value =
        std::ldexp(static_cast<double>(random() >> 11), static_cast<int>(random() % 200) - 150) * (i % 3 == 0 ? -1 : 1);
    char field[40];
    std::snprintf(field, sizeof field, "%.17g\n", value);
    text += field;
    written.push_back(value);
  }
  // 20000 lines cross several reading chunks; every value must survive the seams.
  EXPECT_EQ(Read(text).values, written);
}

TEST(PlainSeries, SkipsAndCountsWhatIsNotAValue) {
  const SeriesRead read = Read("\xEF\xBB\xBF# made by a logger\r\n  1.5\t\r\n\r\n\t-2 \r\n# end\r\n\r\n3");
  EXPECT_EQ(read.values, (std::vector<double>{1.5, -2, 3}));
  EXPECT_EQ(read.info.skipped_blank, 2u);
  EXPECT_EQ(read.info.skipped_comment, 2u);
  EXPECT_FALSE(read.info.header);
  EXPECT_EQ(read.info.column, 0u);
  EXPECT_EQ(DescribeReading(read.info), "3 values; plain text; skipped 2 blank lines, 2 comment lines");
}

TEST(PlainSeries, SkipRowsDropsLinesWhateverTheyHold) {
  SeriesReadOptions options;
  options.skip_rows = 2;
  const SeriesRead read = Read("Station 7\nunits: K\n1\n2\n", options);
  EXPECT_EQ(read.values, (std::vector<double>{1, 2}));
  EXPECT_EQ(read.info.skipped_rows, 2u);
}

TEST(PlainSeries, RefusesWhatIsNotAFiniteNumberWithLineTextAndReason) {
  struct Case {
    std::string bytes;
    ReadProblem problem;
    std::size_t line;
    std::string message;
  };
  const Case cases[] = {
      {"1\n# c\n\nnan\n", ReadProblem::kNotFinite, 4, "\"test.txt\", line 4: \"nan\": not a finite number"},
      {"1\n-inf\n", ReadProblem::kNotFinite, 2, "\"test.txt\", line 2: \"-inf\": not a finite number"},
      {"1\n1e400\n", ReadProblem::kOutOfRange, 2, "\"test.txt\", line 2: \"1e400\": beyond the range of a double"},
      {"1\n-2.5e-400\n", ReadProblem::kOutOfRange, 2,
       "\"test.txt\", line 2: \"-2.5e-400\": too small for a double: it would read as 0"},
      {"1\r\n1.2.3\r\n", ReadProblem::kNotANumber, 2, "\"test.txt\", line 2: \"1.2.3\": not a number"},
      {"1.2.3\n", ReadProblem::kNotANumber, 1, "\"test.txt\", line 1: \"1.2.3\": not a number"},
      {"1\n12 kg\n", ReadProblem::kSecondValue, 2,
       "\"test.txt\", line 2: \"12 kg\": the line holds 2 values (whitespace-separated) and no column was chosen"},
      {"1\n2,5\n", ReadProblem::kSecondValue, 2,
       "\"test.txt\", line 2: \"2,5\": the line holds 2 values (comma-separated) and no column was chosen"},
      {"1\n0x1p3\n", ReadProblem::kNotANumber, 2, "\"test.txt\", line 2: \"0x1p3\": not a number"},
      {"1\n+-1\n", ReadProblem::kNotANumber, 2, "\"test.txt\", line 2: \"+-1\": not a number"},
  };
  for (const Case& c : cases) {
    const SeriesReadError error = Refusal(c.bytes);
    EXPECT_EQ(error.problem, c.problem) << c.bytes;
    EXPECT_EQ(error.line, c.line) << c.bytes;
    EXPECT_STREQ(error.what(), c.message.c_str());
  }
}

TEST(PlainSeries, ALongOrBinaryLineIsCutAndShownSafely) {
  const SeriesReadError error = Refusal("1\n" + std::string(100, 'x') + "\n");
  EXPECT_EQ(error.text, std::string(60, 'x') + "...");
  EXPECT_EQ(Refusal("1\n\x01\xff\xfe"
                    "abc\n")
                .text,
            "???abc");
  EXPECT_EQ(Refusal("1\ntempérature\n").text, "température");
  const SeriesReadError binary = Refusal(std::string("1\n2\0\0", 6));
  EXPECT_EQ(binary.problem, ReadProblem::kNotText);
  EXPECT_NE(std::string(binary.what()).find("for NumPy files use .npy"), std::string::npos);
  EXPECT_EQ(Refusal("PK\x03\x04rest").problem, ReadProblem::kNotText);
  EXPECT_EQ(Refusal(std::string(3 << 20, '1')).problem, ReadProblem::kNotText);
}

TEST(Tables, AHeaderAndATimeColumnAreReadByNameOrIndex) {
  const std::string csv = "time,temperature\n0.0,20\n0.5,20.5\n1.0,-3e-1\n";
  for (const SeriesReadOptions& options : {Column(2), Column(0, "temperature")}) {
    const SeriesRead read = Read(csv, options);
    EXPECT_EQ(read.values, (std::vector<double>{20, 20.5, -0.3}));
    EXPECT_EQ(read.info.header, "time,temperature");
    EXPECT_EQ(read.info.column, 2u);
    EXPECT_EQ(read.info.column_name, "temperature");
    EXPECT_EQ(read.info.delimiter, Delimiter::kComma);
  }
  EXPECT_EQ(DescribeReading(Read(csv, Column(2)).info),
            "3 values; plain text; column 2 (\"temperature\"), comma-separated; header line \"time,temperature\"");
  // Without a column the header is taken, and the first data line is refused.
  EXPECT_EQ(Refusal(csv).problem, ReadProblem::kSecondValue);
  EXPECT_EQ(Refusal(csv).line, 2u);
}

TEST(Tables, EveryDelimiterIsDetectedOrTaken) {
  EXPECT_EQ(Read("1\t20\n2\t21\n", Column(2)).info.delimiter, Delimiter::kTab);
  EXPECT_EQ(Read("1;20,5\n2;21,5\n", Column(1)).values, (std::vector<double>{1, 2}));
  EXPECT_EQ(Refusal("1;20,5\n", Column(2)).problem, ReadProblem::kNotANumber);
  EXPECT_EQ(Read("  1   20\n 2  21 \n", Column(2)).values, (std::vector<double>{20, 21}));
  SeriesReadOptions spaces = Column(2);
  spaces.delimiter = Delimiter::kWhitespace;
  EXPECT_EQ(Read("a,b c\n1 2\n", spaces).values, (std::vector<double>{2}));
  // A one-word header says nothing of the delimiter: the data line does.
  EXPECT_EQ(Read("value\n1,2\n3,4\n", Column(2)).values, (std::vector<double>{2, 4}));
  // Quotes around fields and names, a delimiter inside them, and a trailing delimiter.
  const SeriesRead quoted = Read("\"t, s\",\"x \"\"raw\"\"\"\n\"1,5\",\"2.5\",\n", Column(0, "x \"raw\""));
  EXPECT_EQ(quoted.values, (std::vector<double>{2.5}));
  EXPECT_EQ(Read("1.5,\n2.5,\n").values, (std::vector<double>{1.5, 2.5}));
}

TEST(Tables, APandasHeaderWithAnEmptyIndexNameIsAHeader) {
  const SeriesRead read = Read(",0\n0,1.5\n1,2.5\n", Column(2));
  EXPECT_EQ(read.values, (std::vector<double>{1.5, 2.5}));
  EXPECT_EQ(read.info.header, ",0");
}

TEST(Tables, MissingColumnsAndEmptyFieldsAreRefusedByName) {
  EXPECT_STREQ(Refusal("a,b\n1,2\n", Column(0, "c")).what(),
               "\"test.txt\", line 1: \"a,b\": no column is named \"c\"; the header names \"a\", \"b\"");
  EXPECT_STREQ(Refusal("a,b\n1,2\n", Column(3)).what(),
               "\"test.txt\", line 1: \"a,b\": the header names 2 columns; there is no column 3");
  EXPECT_STREQ(Refusal("1,2\n3\n", Column(2)).what(),
               "\"test.txt\", line 2: \"3\": the line holds 1 value; there is no column 2");
  EXPECT_EQ(Refusal("1,2\n3,,4\n", Column(2)).problem, ReadProblem::kEmptyField);
  EXPECT_STREQ(Refusal("1,2\n3,nan\n", Column(2)).what(),
               "\"test.txt\", line 2: \"3,nan\": column 2 (\"nan\") is not a finite number");
}

TEST(FixedRecords, ReadAsTheInteractiveProgramsReadThemWithTheirChangesCounted) {
  SeriesReadOptions fixed;
  fixed.format = SeriesFormat::kFixed;
  const SeriesRead read = Read("12\n1.5\n\n0\n15000000000\n    \n2.5E1\n", fixed);
  EXPECT_EQ(read.values, (std::vector<double>{1.2e-9, 1.5, 0, 0, 1.5, 0, 25}));
  EXPECT_EQ(read.info.format, SeriesFormat::kFixed);
  EXPECT_EQ(read.info.implied_decimals, 2u);  // "0" is not changed by its decimals
  EXPECT_EQ(read.info.blank_as_zero, 2u);
  EXPECT_EQ(ImpliedDecimalsNote(2, 2),
            "2 values had no decimal point and carry 10 implied decimals; 2 blank lines were read as 0.");
  EXPECT_EQ(ImpliedDecimalsNote(1, 0), "1 value had no decimal point and carries 10 implied decimals.");
  EXPECT_EQ(ImpliedDecimalsNote(0, 1), "1 blank line was read as 0.");
  EXPECT_EQ(ImpliedDecimalsNote(0, 0), "");
  const SeriesReadError error = Refusal("1.0\n1.5x\n", fixed);
  EXPECT_EQ(error.line, 2u);
  EXPECT_EQ(error.text, "1.5x");
}

}  // namespace
}  // namespace modelcheck
