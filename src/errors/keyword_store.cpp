#include "errors/keyword_store.h"

#include <cctype>

namespace modelcheck {

namespace {

constexpr std::string_view kPlaceholderLetters = "ACDIKLRSZ";
constexpr std::size_t kPlaceholderLength = 5;

char UpperCase(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

bool IsPlaceholderAt(std::string_view text, std::size_t i) {
  if (i + kPlaceholderLength > text.size()) return false;
  return text[i] == '%' && text[i + 1] == '(' &&
         kPlaceholderLetters.find(UpperCase(text[i + 2])) != std::string_view::npos && text[i + 3] >= '1' &&
         text[i + 3] <= '9' && text[i + 4] == ')';
}

}  // namespace

void StoreKeyword(KeywordStore& store, char letter, int digit, std::string_view value) {
  const std::size_t cost = value.size() + kKeywordEntryMarks;
  if (store.used + cost > kKeywordStoreCapacity) return;
  store.entries.push_back({.letter = UpperCase(letter), .digit = digit, .value = std::string(value)});
  store.used += cost;
}

const std::string* FindKeyword(const KeywordStore& store, char letter, int digit) {
  const char wanted = UpperCase(letter);
  for (const KeywordEntry& entry : store.entries) {
    if (entry.letter == wanted && entry.digit == digit) return &entry.value;
  }
  return nullptr;
}

void ClearKeywords(KeywordStore& store) {
  store.entries.clear();
  store.used = 0;
}

std::string SubstitutePlaceholders(std::string_view text, const KeywordStore& store) {
  std::string result;
  result.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const std::string* value = IsPlaceholderAt(text, i) ? FindKeyword(store, text[i + 2], text[i + 3] - '0') : nullptr;
    if (value != nullptr) {
      result += *value;
      i += kPlaceholderLength;
    } else {
      result += text[i++];
    }
  }
  return result;
}

}  // namespace modelcheck
