// The values stored for the placeholders of the next posted message.
//
// A placeholder is the five characters "%(", a letter of "ACDIKLRSZ" (either
// case), a digit 1..9 and ")". The store holds at most 300 characters: each
// entry costs its value's length plus 8; an entry that would overflow the
// store is silently not stored. Lookups take the first entry with the same
// letter (case ignored) and digit.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace modelcheck {

inline constexpr std::size_t kKeywordStoreCapacity = 300;
inline constexpr std::size_t kKeywordEntryMarks = 8;

struct KeywordEntry {
  char letter = 'I';  // upper case
  int digit = 1;
  std::string value;
};

struct KeywordStore {
  std::vector<KeywordEntry> entries;
  std::size_t used = 0;  // characters of the 300 taken, marks included
};

void StoreKeyword(KeywordStore& store, char letter, int digit, std::string_view value);

// The stored value, or nullptr when there is none.
const std::string* FindKeyword(const KeywordStore& store, char letter, int digit);

void ClearKeywords(KeywordStore& store);

// `text` with every placeholder that has a stored value replaced by it;
// placeholders without a value are copied as written.
std::string SubstitutePlaceholders(std::string_view text, const KeywordStore& store);

}  // namespace modelcheck
