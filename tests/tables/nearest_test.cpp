// Find-nearest: where the cursor lands for a value in the order of the first index field.
#include <gtest/gtest.h>

#include "support.h"

namespace tables::test {
namespace {

struct TNearestCase {
  const char* Index;
  TVariant Value;
  const char* Barcode;
};

class Nearest : public ::testing::TestWithParam<TNearestCase> {};

TEST_P(Nearest, LandsOnTheFirstRowAtLeastTheValue) {
  TStore store;
  // Names in another order than the barcodes; 500 has no name.
  MakeBarmas(store.Database(), {{"100", "C10", ""}, {"200", "A20", ""}, {"300", "B30", ""}, {"400", "B35", ""},
                          {"500", "", ""}});
  auto table = OpenTable(store.Database());
  table->SetIndexFieldNames(GetParam().Index);
  table->Last();
  EXPECT_TRUE(table->FindNearest(GetParam().Value));
  EXPECT_EQ(table->FieldByName("FBarcode").AsString(), GetParam().Barcode);
}

INSTANTIATE_TEST_SUITE_P(
    Values, Nearest,
    ::testing::Values(TNearestCase{"FName", std::string("A"), "200"}, TNearestCase{"FName", std::string("B"), "300"},
                      TNearestCase{"FName", std::string("B3"), "300"}, TNearestCase{"FName", std::string("B35"), "400"},
                      TNearestCase{"FName", std::string("B4"), "100"}, TNearestCase{"FName", std::string("C10"), "100"},
                      // Past every value: the last row.
                      TNearestCase{"FName", std::string("Z"), "100"},
                      // No value sorts first: the first row, the one without a name.
                      TNearestCase{"FName", std::string(""), "500"}, TNearestCase{"FName", TVariant{}, "500"},
                      TNearestCase{"FName;FBarcode", std::string("B3"), "300"},
                      TNearestCase{"FBarcode", std::string("25"), "300"}));

TEST(NearestEmpty, AnEmptyTableHasNothingToFind) {
  TStore store;
  MakeBarmas(store.Database());
  auto table = OpenTable(store.Database());
  table->SetIndexFieldNames("FBarcode");
  EXPECT_FALSE(table->FindNearest(std::string("1")));
  EXPECT_TRUE(table->Eof());
}

TEST(NearestOrder, NeedsAnIndexField) {
  TStore store;
  MakeBarmas(store.Database(), {{"100", "soap", ""}});
  auto table = OpenTable(store.Database());
  EXPECT_THROW(table->FindNearest(std::string("1")), ETableError);
}

TEST(NearestPending, PostsAModifiedRowFirst) {
  TStore store;
  MakeBarmas(store.Database(), {{"100", "soap", ""}});
  auto table = OpenTable(store.Database());
  table->SetIndexFieldNames("FBarcode");
  table->Append();
  table->FieldByName("FBarcode").SetAsString("200");
  EXPECT_TRUE(table->FindNearest(std::string("150")));
  EXPECT_EQ(table->FieldByName("FBarcode").AsString(), "200");
  EXPECT_EQ(table->State(), TDataSetState::dsBrowse);
  EXPECT_EQ(table->RecordCount(), 2);
}

}  // namespace
}  // namespace tables::test
