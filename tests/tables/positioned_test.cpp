// Positioned reading: rows by their place in the order and the current row's
// place, checked against the cursor's own walk, and shown to leave the cursor alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>

#include "support.h"

namespace tables::test {
namespace {

int FieldPosition(TTable& table, const std::string& name) {
  const auto& defs = table.FieldDefs();
  const auto found = std::ranges::find_if(defs, [&](const TFieldDef& def) {
    return std::ranges::equal(def.Name, name, [](char a, char b) { return std::tolower(a) == std::tolower(b); });
  });
  return static_cast<int>(found - defs.begin());
}

std::vector<std::string> TextsAt(TTable& table, const std::string& field, int first, int count) {
  const int position = FieldPosition(table, field);
  std::vector<std::string> texts;
  for (const auto& row : table.ReadRowsAt(first, count)) texts.push_back(StoredText(row.Values[position]));
  return texts;
}

using Texts = std::vector<std::string>;

struct TSliceCase {
  const char* Name;
  const char* Index;
  int First;
  int Count;
  Texts Barcodes;
};

class Slices : public ::testing::TestWithParam<TSliceCase> {
 protected:
  void SetUp() override {
    // Added in this order; an empty barcode is no value, which sorts first.
    MakeBarmas(Store.Database(), {{"300", "c", ""}, {"100", "a", ""}, {"", "none", ""}, {"200", "b", ""}});
  }
  TStore Store;
};

TEST_P(Slices, ReadsTheRowsAtTheirPlaceInTheOrder) {
  auto table = OpenTable(Store.Database());
  table->SetIndexFieldNames(GetParam().Index);
  EXPECT_EQ(TextsAt(*table, "FBarcode", GetParam().First, GetParam().Count), GetParam().Barcodes);
}

INSTANTIATE_TEST_SUITE_P(
    Orders, Slices,
    ::testing::Values(TSliceCase{"AllByBarcode", "FBarcode", 0, 10, {"", "100", "200", "300"}},
                      TSliceCase{"MiddleByBarcode", "FBarcode", 1, 2, {"100", "200"}},
                      TSliceCase{"PastTheEnd", "FBarcode", 3, 5, {"300"}},
                      TSliceCase{"BeyondTheEnd", "FBarcode", 10, 3, {}},
                      TSliceCase{"NoneAsked", "FBarcode", 1, 0, {}},
                      TSliceCase{"AllInAddedOrder", "", 0, 10, {"300", "100", "", "200"}},
                      TSliceCase{"MiddleInAddedOrder", "", 2, 1, {""}},
                      TSliceCase{"ByName", "FName", 0, 2, {"100", "200"}}),
    [](const auto& info) { return std::string(info.param.Name); });

// Every row the cursor walks to has the position of its step, and the rows read
// by position are the rows of the walk, in its order.
class AgreesWithTheWalk : public ::testing::TestWithParam<const char*> {};

TEST_P(AgreesWithTheWalk, PositionsAndRowsMatchTheCursorsOrder) {
  TStore store;
  // Duplicates and missing values in both key fields.
  MakeBarmas(store.Database(), {{"5", "b", ""}, {"", "a", ""},  {"3", "", ""},  {"5", "a", ""}, {"1", "b", ""},
                          {"", "", ""},  {"3", "b", ""}, {"5", "b", ""}, {"2", "a", ""}, {"", "b", ""}});
  auto table = OpenTable(store.Database());
  table->SetIndexFieldNames(GetParam());
  std::vector<TTable::TBookmark> walked;
  int step = 0;
  for (table->First(); !table->Eof(); table->Next(), ++step) {
    EXPECT_EQ(table->CurrentPosition(), step);
    walked.push_back(table->GetBookmark());
  }
  std::vector<TTable::TBookmark> read;
  for (const auto& row : table->ReadRowsAt(0, 100)) read.push_back(row.Bookmark);
  EXPECT_EQ(read, walked);
}

INSTANTIATE_TEST_SUITE_P(Orders, AgreesWithTheWalk,
                         ::testing::Values("", "FBarcode", "FName", "FName;FBarcode", "FBarcode;FName"));

// A table several times longer than the stretch that is counted directly: positions
// far from the first row come from rows whose positions are kept, and must stay right
// through this cursor's own writes and another program's.
class FarPositions : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    MakeBarmas(Dir.Path());
    // Duplicates and missing values in every key field.
    TRawConnection(Dir.File("Barmas.DAT"))
        .Exec("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 1399) "
              "INSERT INTO Barmas (FBarcode, FName, FSP) SELECT "
              "CASE WHEN i % 11 = 0 THEN NULL ELSE printf('%04d', i * 7919 % 600) END, "
              "CASE WHEN i % 7 = 0 THEN NULL ELSE 'n' || (i % 40) END, "
              "CASE WHEN i % 5 = 0 THEN NULL ELSE i % 90 END FROM n");
    Table = OpenTable(Dir.Path());
    Table->SetIndexFieldNames(GetParam());
  }
  std::vector<TTable::TBookmark> Order() {
    std::vector<TTable::TBookmark> order;
    for (const auto& row : Table->ReadRowsAt(0, 100000)) order.push_back(row.Bookmark);
    return order;
  }
  void ExpectPlacesOfTheOrder(const std::string& after) {
    const auto order = Order();
    EXPECT_EQ(Table->RecordCount(), static_cast<int>(order.size())) << after;
    std::vector<int> places{0, 1, 511, 512, 513, 1023, 1024, 1025, static_cast<int>(order.size()) - 1};
    for (int place = 5; place < static_cast<int>(order.size()); place += 61) places.push_back(place);
    for (int place : places) {
      Table->GotoBookmark(order[place]);
      EXPECT_EQ(Table->CurrentPosition(), place) << after << ", row " << place;
    }
  }
  void WriteAt(int place, const std::vector<std::pair<const char*, const char*>>& values) {
    Table->GotoBookmark(Order()[place]);
    Table->Edit();
    for (const auto& [field, value] : values) Table->FieldByName(field).SetAsString(value);
    Table->Post();
  }
  TTempDir Dir;
  std::unique_ptr<TTable> Table;
};

TEST_P(FarPositions, EveryRowHasItsPlaceInTheOrder) {
  const std::vector<std::pair<const char*, std::function<void()>>> steps = {
      {"as filled", [] {}},
      {"this cursor adds a row",
       [&] {
         Table->Append();
         for (const auto& [field, value] : {std::pair{"FBarcode", "0300"}, {"FName", "n20"}, {"FSP", "45"}}) {
           Table->FieldByName(field).SetAsString(value);
         }
         Table->Post();
       }},
      {"this cursor moves a row", [&] { WriteAt(700, {{"FBarcode", "0001"}, {"FName", "n1"}, {"FSP", "1"}}); }},
      {"this cursor changes a field outside the order", [&] { WriteAt(800, {{"FCost", "5"}}); }},
      {"this cursor deletes a row",
       [&] {
         Table->GotoBookmark(Order()[600]);
         Table->Delete();
       }},
      {"another program adds a row",
       [&] {
         TRawConnection(Dir.File("Barmas.DAT")).Exec("INSERT INTO Barmas (FBarcode, FName) VALUES ('0250', 'n5')");
       }},
  };
  for (const auto& [change, make] : steps) {
    make();
    ExpectPlacesOfTheOrder(change);
  }
}

INSTANTIATE_TEST_SUITE_P(Orders, FarPositions,
                         ::testing::Values("", "FBarcode", "FSP", "FName;FBarcode", "FBarcode;FName"));

class Positioned : public ::testing::Test {
 protected:
  void SetUp() override {
    MakeBarmas(Store.Database(), {{"100", "soap", ""}, {"200", "rice", ""}, {"300", "salt", ""}});
    Table = OpenTable(Store.Database());
    Table->SetIndexFieldNames("FBarcode");
    Source.SetDataSet(Table.get());
    Source.OnDataChange = [this](TDataSource&, TField*) { ++Notifications; };
    Source.OnStateChange = [this](TDataSource&) { ++Notifications; };
  }
  TStore Store;
  std::unique_ptr<TTable> Table;
  TDataSource Source;
  int Notifications = 0;
};

TEST_F(Positioned, LeavesAPendingEditPendingAndUnposted) {
  Table->Next();
  Table->Edit();
  Table->FieldByName("FName").SetAsString("flour");
  Notifications = 0;
  EXPECT_EQ(TextsAt(*Table, "FName", 0, 3), (Texts{"soap", "rice", "salt"}));
  EXPECT_EQ(Table->CurrentPosition(), 1);
  EXPECT_EQ(Notifications, 0);
  EXPECT_EQ(Table->State(), TDataSetState::dsEdit);
  EXPECT_TRUE(Table->Modified());
  EXPECT_EQ(Table->FieldByName("FName").AsString(), "flour");
}

TEST_F(Positioned, APendingNewRowStandsAfterTheLast) {
  Table->Append();
  Table->FieldByName("FBarcode").SetAsString("050");
  EXPECT_EQ(Table->CurrentPosition(), 3);
  EXPECT_EQ(TextsAt(*Table, "FBarcode", 0, 5), (Texts{"100", "200", "300"}));
  EXPECT_EQ(Table->State(), TDataSetState::dsInsert);
  Table->Post();
  EXPECT_EQ(Table->CurrentPosition(), 0);  // posted, it takes its place in the order
}

TEST_F(Positioned, SeesRowsOtherUsersPosted) {
  Table->Last();
  const auto other = Store.OtherUser();
  other->Exec(R"(INSERT INTO "Barmas" ("FBarcode", "FName") VALUES ('150', 'tea'))");
  EXPECT_EQ(TextsAt(*Table, "FName", 0, 5), (Texts{"soap", "tea", "rice", "salt"}));
  EXPECT_EQ(Table->CurrentPosition(), 3);
}

// Count and position are kept between questions: every change of the file, made
// here or by another program, must still show in the next answer.
TEST_F(Positioned, CountAndPositionFollowEveryChangeOfTheFile) {
  Table->Last();  // "300"
  const auto other = Store.OtherUser();
  struct TStep {
    const char* Change;
    std::function<void()> Make;
    int Count;
    int Position;
  };
  const std::vector<TStep> steps = {
      {"none", [] {}, 3, 2},
      {"asked again", [] {}, 3, 2},
      {"another program adds a row before", [&] { other->Exec(R"(INSERT INTO "Barmas" ("FBarcode") VALUES ('150'))"); }, 4, 3},
      {"another program deletes two rows before",
       [&] { other->Exec(R"(DELETE FROM "Barmas" WHERE "FBarcode" IN ('100', '150'))"); }, 2, 1},
      {"this cursor adds one before",
       [&] {
         Table->Append();
         Table->FieldByName("FBarcode").SetAsString("050");
         Table->Post();
         Table->Last();
       },
       3, 2},
      {"this cursor deletes the first", [&] {
         Table->First();
         Table->Delete();
         Table->Last();
       }, 2, 1},
  };
  for (const auto& step : steps) {
    step.Make();
    EXPECT_EQ(Table->RecordCount(), step.Count) << step.Change;
    EXPECT_EQ(Table->CurrentPosition(), step.Position) << step.Change;
  }
}

TEST_F(Positioned, RefusesNegativePositionsAndCounts) {
  EXPECT_THROW(Table->ReadRowsAt(-1, 2), ETableError);
  EXPECT_THROW(Table->ReadRowsAt(0, -2), ETableError);
}

TEST(PositionedEmpty, AnEmptyTableHasNoCurrentPositionAndNoRows) {
  TStore store;
  MakeBarmas(store.Database());
  auto table = OpenTable(store.Database());
  EXPECT_EQ(table->CurrentPosition(), -1);
  EXPECT_TRUE(table->ReadRowsAt(0, 10).empty());
  table->Close();
  EXPECT_THROW(table->ReadRowsAt(0, 1), ETableError);
  EXPECT_THROW(table->CurrentPosition(), ETableError);
}

}  // namespace
}  // namespace tables::test
