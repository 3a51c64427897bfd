// Placeholder value store: its 300-character limit and first-entry lookups.
#include "errors/keyword_store.h"

#include <gtest/gtest.h>

#include <string>

namespace modelcheck {
namespace {

TEST(KeywordStore, EntryThatWouldOverflowIsDroppedButSmallerOnesFit) {
  KeywordStore store;
  StoreKeyword(store, 'L', 1, std::string(250, 'x'));  // 258 used
  StoreKeyword(store, 'L', 2, std::string(35, 'y'));   // 301: dropped
  StoreKeyword(store, 'L', 3, std::string(34, 'z'));   // exactly 300: kept
  StoreKeyword(store, 'I', 4, "");                     // 308: dropped
  EXPECT_NE(FindKeyword(store, 'L', 1), nullptr);
  EXPECT_EQ(FindKeyword(store, 'L', 2), nullptr);
  ASSERT_NE(FindKeyword(store, 'l', 3), nullptr);
  EXPECT_EQ(*FindKeyword(store, 'l', 3), std::string(34, 'z'));
  EXPECT_EQ(FindKeyword(store, 'I', 4), nullptr);
  ClearKeywords(store);
  StoreKeyword(store, 'I', 4, "7");
  EXPECT_EQ(*FindKeyword(store, 'I', 4), "7");
}

TEST(KeywordStore, SubstitutionRecognisesOnlyWellFormedPlaceholders) {
  KeywordStore store;
  StoreKeyword(store, 'I', 1, "1");
  StoreKeyword(store, 'A', 9, "nine");
  EXPECT_EQ(SubstitutePlaceholders("%(I1)%(a9)%%(I1)%(I0)%(I1", store), "1nine%1%(I0)%(I1");
  EXPECT_EQ(SubstitutePlaceholders("%(X1) %(A1) %(I1)", store), "%(X1) %(A1) 1");
}

}  // namespace
}  // namespace modelcheck
