// Changes made outside the cursor are seen by a cheap look, which tells the data
// sources; a pending row is never overwritten by it.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "support.h"

namespace tables::test {
namespace {

// The server's notification travels on its own; files answer at once.
bool SeenWithin(TTable& table, std::chrono::milliseconds limit = std::chrono::seconds(5)) {
  const auto end = std::chrono::steady_clock::now() + limit;
  do {
    if (table.CheckOutsideChanges()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  } while (std::chrono::steady_clock::now() < end);
  return false;
}

struct TOutsideCase {
  const char* Change;
  std::string Sql;
  std::string NameAfter;  // the current row's name once seen
  int CountAfter;
};

std::ostream& operator<<(std::ostream& out, const TOutsideCase& c) { return out << c.Change; }

class Outside : public ::testing::Test {
 protected:
  void SetUp() override {
    MakeBarmas(Store.Database(), {{"100", "soap", ""}, {"200", "rice", ""}});
    Table = OpenTable(Store.Database());
    Source.SetDataSet(Table.get());
    Source.OnDataChange = [this](TDataSource&, TField*) { ++Told; };
  }
  TStore Store;
  std::unique_ptr<TTable> Table;
  TDataSource Source;
  int Told = 0;
};

class OutsideChange : public Outside, public ::testing::WithParamInterface<TOutsideCase> {};

TEST_P(OutsideChange, IsSeenOnceAndTold) {
  EXPECT_FALSE(Table->CheckOutsideChanges());  // nothing happened yet
  Store.OtherUser()->Exec(GetParam().Sql);
  ASSERT_TRUE(SeenWithin(*Table));
  EXPECT_EQ(Told, 1);
  EXPECT_EQ(Table->FieldByName("FName").AsString(), GetParam().NameAfter);
  EXPECT_EQ(Table->RecordCount(), GetParam().CountAfter);
  EXPECT_FALSE(Table->CheckOutsideChanges());
}

INSTANTIATE_TEST_SUITE_P(
    Changes, OutsideChange,
    ::testing::Values(
        TOutsideCase{"RowAdded", R"(INSERT INTO "Barmas" ("FBarcode", "FName") VALUES ('300', 'salt'))", "soap", 3},
        TOutsideCase{"CurrentRowChanged", R"(UPDATE "Barmas" SET "FName" = 'soap bar' WHERE "FBarcode" = '100')",
                     "soap bar", 2},
        TOutsideCase{"CurrentRowDeleted", R"(DELETE FROM "Barmas" WHERE "FBarcode" = '100')", "rice", 1}));

TEST_F(Outside, OwnPostsAreNoOutsideChange) {
  Table->Append();
  Table->FieldByName("FBarcode").SetAsString("300");
  Table->Post();
  Told = 0;
  EXPECT_FALSE(SeenWithin(*Table, std::chrono::milliseconds(300)));
  EXPECT_EQ(Told, 0);
}

TEST_F(Outside, PendingEditIsLeftAloneUntilItEnds) {
  Table->Edit();
  Table->FieldByName("FName").SetAsString("typed");
  Store.OtherUser()->Exec(R"(UPDATE "Barmas" SET "FCost" = 3 WHERE "FBarcode" = '100')");
  EXPECT_FALSE(SeenWithin(*Table, std::chrono::milliseconds(300)));
  EXPECT_EQ(Table->State(), TDataSetState::dsEdit);
  EXPECT_EQ(Table->FieldByName("FName").AsString(), "typed");
  Table->Post();  // another field: both stay
  EXPECT_EQ(Table->FieldByName("FCost").AsFloat(), 3);
  EXPECT_EQ(Table->FieldByName("FName").AsString(), "typed");
}

}  // namespace
}  // namespace tables::test
