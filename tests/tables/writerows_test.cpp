// Bulk writing: rows inserted and replaced in one transaction, in batches of several
// sizes, and every refusal leaving the table as it was.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>

#include "support.h"

namespace tables::test {
namespace {

using Texts = std::vector<std::string>;

std::string Code(int i) {
  char text[8];
  std::snprintf(text, sizeof text, "%05d", i);
  return text;
}

// A row of the item layout: barcode, name, price, and no value in the other four fields.
std::vector<TVariant> Item(int i, const std::string& name) {
  return {Code(i), name, 0.5 * i, TVariant{}, TVariant{}, TVariant{}, TVariant{}};
}

// The names of the store's rows in barcode order, read by another user.
Texts StoredNames(const TStore& store) {
  return store.OtherUser()->Column("SELECT \"FName\" FROM \"Barmas\" ORDER BY \"FBarcode\"");
}

// A table holding rows "old 0" ... "old n-1", and the bookmarks of its rows in barcode order.
std::vector<TTable::TBookmark> MakeOldRows(TTable& table, int count) {
  std::vector<TTable::TRowWrite> writes;
  for (int i = 0; i < count; ++i) writes.push_back({0, Item(i, "old " + std::to_string(i))});
  table.WriteRows(writes);
  table.SetIndexFieldNames("FBarcode");
  std::vector<TTable::TBookmark> bookmarks;
  for (const auto& row : table.ReadRowsAt(0, count)) bookmarks.push_back(row.Bookmark);
  return bookmarks;
}

struct TWriteCase {
  const char* Name;
  int Old;
  int Replaced;  // the first of the old rows, by barcode
  int Added;     // after the old rows in barcode order
};

void PrintTo(const TWriteCase& c, std::ostream* os) { *os << c.Name; }

class WriteRows : public ::testing::TestWithParam<TWriteCase> {};

// The counts cross every batch size, and the cursor shows the written rows at once.
TEST_P(WriteRows, WritesEveryRowOnce) {
  const TWriteCase& c = GetParam();
  TStore store;
  MakeBarmas(store.Database());
  auto table = OpenTable(store.Database());
  const auto bookmarks = MakeOldRows(*table, c.Old);
  std::vector<TTable::TRowWrite> writes;
  Texts expected;
  for (int i = 0; i < c.Old; ++i) {
    const bool replaced = i < c.Replaced;
    expected.push_back((replaced ? "new " : "old ") + std::to_string(i));
    if (replaced) writes.push_back({bookmarks[i], Item(i, expected.back())});
  }
  for (int i = c.Old; i < c.Old + c.Added; ++i) {
    expected.push_back("added " + std::to_string(i));
    writes.push_back({0, Item(i, expected.back())});
  }
  table->WriteRows(writes);
  EXPECT_EQ(StoredNames(store), expected);
  EXPECT_EQ(table->RecordCount(), c.Old + c.Added);
  // Every value of a row lands in its own field, in every batch.
  int i = 0;
  for (const auto& row : table->ReadRowsAt(0, c.Old + c.Added)) {
    EXPECT_EQ(row.Values, Item(i, expected[i])) << "row " << i;
    ++i;
  }
}

INSTANTIATE_TEST_SUITE_P(Counts, WriteRows,
                         ::testing::Values(TWriteCase{"None", 0, 0, 0}, TWriteCase{"OneNew", 0, 0, 1},
                                           TWriteCase{"NewInEveryBatchSize", 0, 0, 1101},
                                           TWriteCase{"ReplacedAndNew", 600, 585, 77},
                                           TWriteCase{"OneReplaced", 3, 1, 0}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(WriteRowsTwice, TheLastWriteOfARowStays) {
  TStore store;
  MakeBarmas(store.Database());
  auto table = OpenTable(store.Database());
  const auto bookmarks = MakeOldRows(*table, 2);
  table->WriteRows(
      {{bookmarks[1], Item(1, "first")}, {bookmarks[0], Item(0, "other")}, {bookmarks[1], Item(1, "last")}});
  EXPECT_EQ(StoredNames(store), (Texts{"other", "last"}));
}

struct TRefusalCase {
  const char* Name;
  std::vector<TVariant> Values;  // of the refused write, after 700 good ones
  bool ReplacedLater;            // the refused write is one of a row written again after it
  const char* Message;
};

void PrintTo(const TRefusalCase& c, std::ostream* os) { *os << c.Name; }

class WriteRowsRefused : public ::testing::TestWithParam<TRefusalCase> {};

TEST_P(WriteRowsRefused, WritesNothing) {
  const TRefusalCase& c = GetParam();
  TStore store;
  MakeBarmas(store.Database());
  auto table = OpenTable(store.Database());
  const auto bookmarks = MakeOldRows(*table, 2);
  std::vector<TTable::TRowWrite> writes = {{bookmarks[0], Item(0, "changed")}};
  for (int i = 10; i < 710; ++i) writes.push_back({0, Item(i, "added")});
  writes.push_back({c.ReplacedLater ? bookmarks[1] : 0, c.Values});
  if (c.ReplacedLater) writes.push_back({bookmarks[1], Item(1, "changed")});
  try {
    table->WriteRows(writes);
    ADD_FAILURE() << "the rows were written";
  } catch (const ETableError& error) {
    EXPECT_THAT(error.what(), ::testing::HasSubstr(c.Message));
  }
  EXPECT_EQ(StoredNames(store), (Texts{"old 0", "old 1"}));
  EXPECT_EQ(table->RecordCount(), 2);
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, WriteRowsRefused,
    ::testing::Values(TRefusalCase{"TooLong", Item(900, std::string(41, 'x')), false, "Value too long for field FName"},
                      TRefusalCase{"TooFewValues", {Code(900), std::string("short")}, false, "has 2 values, not 7"},
                      TRefusalCase{"NotANumber", {Code(900), TVariant{}, std::string("cheap"), TVariant{}, TVariant{},
                                                  TVariant{}, TVariant{}},
                                   false, "FSP"},
                      TRefusalCase{"InAWriteReplacedLater", Item(1, std::string(41, 'x')), true,
                                   "Value too long for field FName"}),
    [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace tables::test
