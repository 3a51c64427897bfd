#include "text/table_line.h"

namespace modelcheck {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

char DelimiterChar(Delimiter delimiter) {
  switch (delimiter) {
    case Delimiter::kComma:
      return ',';
    case Delimiter::kTab:
      return '\t';
    case Delimiter::kSemicolon:
      return ';';
    case Delimiter::kDetect:
    case Delimiter::kWhitespace:
      break;
  }
  return '\0';
}

// Walks a line field by field; each Next gives a raw field (quotes kept).
class FieldCursor {
 public:
  FieldCursor(std::string_view line, Delimiter delimiter) : line_(line), separator_(DelimiterChar(delimiter)) {}

  std::optional<std::string_view> Next() {
    if (separator_ == '\0') {
      while (position_ < line_.size() && IsBlank(line_[position_])) ++position_;
      if (position_ == line_.size()) return std::nullopt;
    } else if (finished_) {
      return std::nullopt;
    }
    const std::size_t start = position_;
    bool quoted = false;
    for (; position_ < line_.size(); ++position_) {
      const char c = line_[position_];
      if (c == '"') quoted = !quoted;
      if (quoted) continue;
      if (separator_ == '\0' ? IsBlank(c) : c == separator_) break;
    }
    const std::string_view field = line_.substr(start, position_ - start);
    if (separator_ != '\0') {
      if (position_ == line_.size()) finished_ = true;
      ++position_;
      // A delimiter that ends the line starts no field.
      if (!finished_ && TrimBlanks(line_.substr(position_)).empty()) finished_ = true;
    }
    return field;
  }

 private:
  std::string_view line_;
  char separator_;
  std::size_t position_ = 0;
  bool finished_ = false;
};

std::string_view Clean(std::string_view raw, std::string& storage) {
  const std::string_view field = TrimBlanks(raw);
  if (field.size() < 2 || field.front() != '"' || field.back() != '"') return field;
  const std::string_view inner = field.substr(1, field.size() - 2);
  if (inner.find('"') == std::string_view::npos) return inner;
  storage.clear();
  for (std::size_t i = 0; i < inner.size(); ++i) {
    storage.push_back(inner[i]);
    if (inner[i] == '"' && i + 1 < inner.size() && inner[i + 1] == '"') ++i;
  }
  return storage;
}

}  // namespace

std::string_view TrimBlanks(std::string_view text) {
  std::size_t first = 0, last = text.size();
  while (first < last && IsBlank(text[first])) ++first;
  while (last > first && IsBlank(text[last - 1])) --last;
  return text.substr(first, last - first);
}

Delimiter DetectDelimiter(std::string_view line) {
  if (line.find('\t') != std::string_view::npos && TrimBlanks(line).find('\t') != std::string_view::npos)
    return Delimiter::kTab;
  if (line.find(';') != std::string_view::npos) return Delimiter::kSemicolon;
  if (line.find(',') != std::string_view::npos) return Delimiter::kComma;
  return Delimiter::kWhitespace;
}

std::vector<std::string> SplitFields(std::string_view line, Delimiter delimiter) {
  std::vector<std::string> fields;
  FieldCursor cursor(line, delimiter);
  std::string storage;
  while (const auto raw = cursor.Next()) fields.emplace_back(Clean(*raw, storage));
  return fields;
}

std::optional<std::string_view> FieldAt(std::string_view line, Delimiter delimiter, std::size_t index,
                                        std::string& storage) {
  FieldCursor cursor(line, delimiter);
  for (std::size_t i = 0;; ++i) {
    const auto raw = cursor.Next();
    if (!raw) return std::nullopt;
    if (i == index) return Clean(*raw, storage);
  }
}

}  // namespace modelcheck
