// Walking a table in row order and in index order, ends of the table, find-key,
// MoveBy and bookmarks.
#include <gtest/gtest.h>

#include <ostream>

#include "support.h"

namespace tables::test {
namespace {

using Names = std::vector<std::string>;

// Rows a..e; "100" twice, one barcode and two prices without a value.
const std::vector<TItem> kItems = {
    {"300", "a", "2"}, {"100", "b", ""}, {"200", "c", "1"}, {"100", "d", "2"}, {"", "e", ""},
};

class Navigation : public ::testing::Test {
 protected:
  void SetUp() override {
    MakeBarmas(Store.Database(), kItems);
    Table = OpenTable(Store.Database());
  }
  std::string Name() { return Table->FieldByName("FName").AsString(); }
  TStore Store;
  std::unique_ptr<TTable> Table;
};

struct TOrderCase {
  std::string IndexFieldNames;
  Names Expected;  // FName in that order
};

std::ostream& operator<<(std::ostream& out, const TOrderCase& c) { return out << "index '" << c.IndexFieldNames << "'"; }

class NavigationOrder : public Navigation, public ::testing::WithParamInterface<TOrderCase> {};

TEST_P(NavigationOrder, WalksForwardAndBackward) {
  Table->SetIndexFieldNames(GetParam().IndexFieldNames);
  EXPECT_EQ(Walk(*Table, "FName"), GetParam().Expected);
  const Names backward(GetParam().Expected.rbegin(), GetParam().Expected.rend());
  EXPECT_EQ(Walk(*Table, "FName", false), backward);
}

// No value sorts first; ties keep the order the rows were added in.
INSTANTIATE_TEST_SUITE_P(Orders, NavigationOrder,
                         ::testing::Values(TOrderCase{"", {"a", "b", "c", "d", "e"}},
                                           TOrderCase{"Fbarcode", {"e", "b", "d", "c", "a"}},
                                           TOrderCase{"FSP", {"b", "e", "c", "a", "d"}},
                                           TOrderCase{"fsp;FBARCODE", {"e", "b", "c", "d", "a"}},
                                           TOrderCase{"FBarcode; FName", {"e", "b", "d", "c", "a"}}));

TEST_F(Navigation, EofAndBofAtBothEnds) {
  EXPECT_TRUE(Table->Bof());  // open stands on the first row
  EXPECT_FALSE(Table->Eof());
  EXPECT_EQ(Name(), "a");
  Table->Prior();
  EXPECT_TRUE(Table->Bof());
  EXPECT_EQ(Name(), "a");
  Table->Next();
  EXPECT_FALSE(Table->Bof());
  Table->Last();
  EXPECT_TRUE(Table->Eof());
  EXPECT_FALSE(Table->Bof());
  EXPECT_EQ(Name(), "e");
  Table->Prior();
  EXPECT_FALSE(Table->Eof());
  EXPECT_EQ(Name(), "d");
  Table->Next();
  EXPECT_FALSE(Table->Eof());  // on the last row, not past it yet
  Table->Next();
  EXPECT_TRUE(Table->Eof());
  EXPECT_EQ(Name(), "e");  // stays on the last row
}

TEST(NavigationEmpty, EveryMoveKeepsBothEndsAndFieldsReadEmpty) {
  TStore store;
  MakeBarmas(store.Database());
  auto table = OpenTable(store.Database());
  for (auto move : {&TTable::First, &TTable::Next, &TTable::Prior, &TTable::Last, &TTable::Refresh}) {
    (table.get()->*move)();
    EXPECT_TRUE(table->Eof());
    EXPECT_TRUE(table->Bof());
  }
  EXPECT_TRUE(table->IsEmpty());
  EXPECT_EQ(table->RecordCount(), 0);
  EXPECT_EQ(table->MoveBy(3), 0);
  EXPECT_EQ(table->FieldByName("FName").AsString(), "");
  EXPECT_EQ(table->FieldByName("FSP").AsFloat(), 0.0);
  EXPECT_THROW(table->GetBookmark(), ETableError);
}

struct TFindCase {
  std::string Key;
  bool Found;
  std::string Name;  // the row stood on afterwards
};

std::ostream& operator<<(std::ostream& out, const TFindCase& c) { return out << "key '" << c.Key << "'"; }

class NavigationFind : public Navigation, public ::testing::WithParamInterface<TFindCase> {};

TEST_P(NavigationFind, FindsOrStays) {
  Table->SetIndexFieldNames("Fbarcode");
  Table->Last();  // on "a" (barcode 300)
  EXPECT_EQ(Table->FindKey({GetParam().Key}), GetParam().Found);
  EXPECT_EQ(Name(), GetParam().Name);
  EXPECT_EQ(Table->State(), TDataSetState::dsBrowse);
}

INSTANTIATE_TEST_SUITE_P(Keys, NavigationFind,
                         ::testing::Values(TFindCase{"200", true, "c"},
                                           TFindCase{"100", true, "b"},     // the first of two
                                           TFindCase{"100  ", true, "b"},   // trailing blanks do not count
                                           TFindCase{"", true, "e"},        // the row without a barcode
                                           TFindCase{"10", false, "a"},
                                           TFindCase{"1000", false, "a"},
                                           TFindCase{"30", false, "a"}));

TEST_F(Navigation, FindKeyAfterNotFoundStillWalksFromTheSameRow) {
  Table->SetIndexFieldNames("FBarcode");
  ASSERT_TRUE(Table->FindKey({std::string("100")}));
  Table->Next();
  EXPECT_EQ(Name(), "d");
  EXPECT_FALSE(Table->FindKey({std::string("150")}));
  Table->Next();
  EXPECT_EQ(Name(), "c");
}

TEST_F(Navigation, FindKeyNeedsAnIndexAndFittingValues) {
  EXPECT_THROW(Table->FindKey({std::string("100")}), ETableError);
  Table->SetIndexFieldNames("FBarcode");
  EXPECT_THROW(Table->FindKey({}), ETableError);
  EXPECT_THROW(Table->FindKey({std::string("100"), std::string("b")}), ETableError);
  Table->SetIndexFieldNames("FSP");
  EXPECT_THROW(Table->FindKey({std::string("cheap")}), ETableError);
  EXPECT_TRUE(Table->FindKey({1.0}));
  EXPECT_EQ(Name(), "c");
  EXPECT_TRUE(Table->FindKey({std::string(" 2 ")}));
  EXPECT_EQ(Name(), "a");
}

TEST_F(Navigation, UnknownIndexFieldIsRefusedAndTheOrderKept) {
  Table->SetIndexFieldNames("FBarcode");
  try {
    Table->SetIndexFieldNames("FBarcod");
    FAIL() << "no error";
  } catch (const ETableError& error) {
    EXPECT_STREQ(error.what(), "Index field FBarcod not found in table Barmas.DAT");
  }
  EXPECT_EQ(Walk(*Table, "FName"), (Names{"e", "b", "d", "c", "a"}));
}

TEST_F(Navigation, SetKeyAndGotoKey) {
  Table->SetIndexFieldNames("FBarcode");
  Table->SetKey();
  EXPECT_EQ(Table->State(), TDataSetState::dsSetKey);
  Table->FieldByName("FBarcode").SetAsString("200");
  EXPECT_EQ(Table->FieldByName("FBarcode").AsString(), "200");
  EXPECT_TRUE(Table->GotoKey());
  EXPECT_EQ(Table->State(), TDataSetState::dsBrowse);
  EXPECT_EQ(Name(), "c");
  Table->SetKey();
  Table->FieldByName("FBarcode").SetAsString("999");
  EXPECT_FALSE(Table->GotoKey());
  EXPECT_EQ(Name(), "c");
  EXPECT_EQ(Table->FieldByName("FBarcode").AsString(), "200");
}

TEST_F(Navigation, MoveByReturnsTheDistanceMoved) {
  EXPECT_EQ(Table->MoveBy(3), 3);
  EXPECT_EQ(Name(), "d");
  EXPECT_EQ(Table->MoveBy(10), 1);
  EXPECT_TRUE(Table->Eof());
  EXPECT_EQ(Table->MoveBy(-100), -4);
  EXPECT_TRUE(Table->Bof());
  EXPECT_EQ(Name(), "a");
}

TEST_F(Navigation, BookmarksReturnToTheRow) {
  Table->MoveBy(2);
  const auto mark = Table->GetBookmark();
  Table->First();
  Table->GotoBookmark(mark);
  EXPECT_EQ(Name(), "c");
  Table->Delete();
  EXPECT_THROW(Table->GotoBookmark(mark), ETableError);
  EXPECT_EQ(Table->RecordCount(), 4);
}

}  // namespace
}  // namespace tables::test
