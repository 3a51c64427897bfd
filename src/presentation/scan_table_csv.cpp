#include "presentation/scan_table_csv.h"

#include <span>
#include <string_view>

#include "text/shortest_number.h"

namespace modelcheck {

namespace {

std::string Quoted(std::string_view text) {
  if (text.find_first_of(",\"\n\r") == std::string_view::npos) return std::string(text);
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

struct FieldText {
  std::string operator()(std::monostate) const { return {}; }
  std::string operator()(std::int64_t value) const { return std::to_string(value); }
  std::string operator()(double value) const { return ShortestNumberText(value); }
  std::string operator()(const std::string& text) const { return Quoted(text); }
};

}  // namespace

void WriteTableCsv(const ScanResult& result, ScanTableKind kind, const ByteWriter& write,
                   const SurrogateRun* surrogates) {
  std::string line;
  for (const TableColumn& column : TableColumns(kind)) line += (line.empty() ? "" : ",") + Quoted(column.name);
  if (!write(line + "\n")) return;
  ForEachTableRow(
      result, kind,
      [&](std::span<const TableField> row) {
        line.clear();
        for (std::size_t i = 0; i < row.size(); ++i) {
          if (i > 0) line += ',';
          line += std::visit(FieldText{}, row[i]);
        }
        line += '\n';
        return write(line);
      },
      surrogates);
}

std::string TableCsv(const ScanResult& result, ScanTableKind kind, const SurrogateRun* surrogates) {
  std::string table;
  WriteTableCsv(
      result, kind,
      [&table](std::string_view row) {
        table += row;
        return true;
      },
      surrogates);
  return table;
}

}  // namespace modelcheck
