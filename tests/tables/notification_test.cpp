// Data sources: which events a window hears, in which order and with which state.
#include <gtest/gtest.h>

#include "support.h"

namespace tables::test {
namespace {

std::string StateName(TDataSetState state) {
  static const char* const kNames[] = {"inactive", "browse", "edit", "insert", "setkey"};
  return kNames[static_cast<int>(state)];
}

// Records "state:<state>" and "data:<field or row>:<state>" in order.
class TEventLog {
 public:
  explicit TEventLog(TDataSource& source) {
    source.OnStateChange = [this](TDataSource& sender) { Events.push_back("state:" + StateName(sender.State())); };
    source.OnDataChange = [this](TDataSource& sender, TField* field) {
      Events.push_back("data:" + (field ? field->FieldName() : std::string("row")) + ":" + StateName(sender.State()));
    };
  }
  std::vector<std::string> Take() { return std::exchange(Events, {}); }
  std::vector<std::string> Events;
};

using Events = std::vector<std::string>;

class Notification : public ::testing::Test {
 protected:
  void SetUp() override {
    MakeBarmas(Store.Database(), {{"100", "soap", ""}, {"200", "rice", ""}});
    Table.SetDatabaseName(Store.Database());
    Table.SetTableName("Barmas.DAT");
    Source.SetDataSet(&Table);
  }
  TStore Store;
  TTable Table;
  TDataSource Source;
  TEventLog Log{Source};
};

TEST_F(Notification, EventsOfATypicalSession) {
  Table.Open();
  EXPECT_EQ(Log.Take(), (Events{"state:browse", "data:row:browse"}));
  Table.Next();
  EXPECT_EQ(Log.Take(), (Events{"data:row:browse"}));
  Table.Next();  // already on the last row: nothing moved
  EXPECT_EQ(Log.Take(), Events{});
  Table.Append();
  EXPECT_EQ(Log.Take(), (Events{"state:insert", "data:row:insert"}));
  Table.FieldByName("fbarcode").SetAsString("300");
  EXPECT_EQ(Log.Take(), (Events{"data:FBarcode:insert"}));
  EXPECT_THROW(Table.FieldByName("FName").SetAsString(std::string(41, 'x')), ETableError);
  EXPECT_EQ(Log.Take(), Events{});  // a refused value changes nothing
  Table.Post();
  EXPECT_EQ(Log.Take(), (Events{"state:browse", "data:row:browse"}));
  Table.Edit();
  EXPECT_EQ(Log.Take(), (Events{"state:edit", "data:row:edit"}));
  Table.Cancel();
  EXPECT_EQ(Log.Take(), (Events{"state:browse", "data:row:browse"}));
  Table.Delete();
  EXPECT_EQ(Log.Take(), (Events{"data:row:browse"}));
  Table.Close();
  EXPECT_EQ(Log.Take(), (Events{"state:inactive"}));
}

TEST_F(Notification, ImplicitPostBeforeFindKeyIsHeardFirst) {
  Table.Open();
  Table.SetIndexFieldNames("Fbarcode");
  Table.Edit();
  Table.FieldByName("FName").SetAsString("soap bar");
  Log.Take();
  EXPECT_TRUE(Table.FindKey({std::string("200")}));
  EXPECT_EQ(Log.Take(), (Events{"state:browse", "data:row:browse", "data:row:browse"}));
  EXPECT_FALSE(Table.FindKey({std::string("999")}));
  EXPECT_EQ(Log.Take(), Events{});  // not found: the row did not change
}

TEST_F(Notification, OnlyAnOrderThatChangesIsHeard) {
  Table.Open();
  Log.Take();
  const struct {
    const char* Names;
    Events Heard;
  } steps[] = {
      {"Fbarcode", {"data:row:browse"}}, {"FBARCODE", {}}, {" fbarcode ", {}}, {"FName", {"data:row:browse"}},
      {"FName;FBarcode", {"data:row:browse"}}, {"fname;fbarcode", {}}, {"", {"data:row:browse"}}, {"", {}},
  };
  for (const auto& step : steps) {
    Table.SetIndexFieldNames(step.Names);
    EXPECT_EQ(Log.Take(), step.Heard) << step.Names;
    EXPECT_EQ(Table.IndexFieldNames(), step.Names);
  }
  // The same order still ends a pending change first.
  Table.Edit();
  Table.FieldByName("FName").SetAsString("soap bar");
  Log.Take();
  Table.SetIndexFieldNames("");
  EXPECT_EQ(Log.Take(), (Events{"state:browse", "data:row:browse"}));
}

TEST_F(Notification, HandlerReadsTheNewRow) {
  std::vector<std::string> seen;
  Source.OnDataChange = [&](TDataSource& sender, TField* field) {
    if (!field && sender.State() == TDataSetState::dsBrowse) {
      seen.push_back(sender.DataSet()->FieldByName("FBarcode").AsString());
    }
  };
  Table.Open();
  Table.Last();
  Table.Append();
  Table.FieldByName("FBarcode").SetAsString("300");
  Table.Post();
  EXPECT_EQ(seen, (std::vector<std::string>{"100", "200", "300"}));
}

TEST_F(Notification, DetachedOrDestroyedPartnersAreForgotten) {
  TDataSource other;
  TEventLog otherLog(other);
  other.SetDataSet(&Table);
  Source.SetDataSet(nullptr);
  Table.Open();
  EXPECT_EQ(Log.Take(), Events{});
  EXPECT_EQ(otherLog.Take(), (Events{"state:browse", "data:row:browse"}));
  EXPECT_EQ(other.State(), TDataSetState::dsBrowse);
  {
    TTable shortLived;
    Source.SetDataSet(&shortLived);
  }
  EXPECT_EQ(Source.DataSet(), nullptr);
  EXPECT_EQ(Source.State(), TDataSetState::dsInactive);
}

TEST_F(Notification, HandlerMayDetachAnotherSource) {
  TDataSource second;
  second.SetDataSet(&Table);
  int secondCalls = 0;
  second.OnStateChange = [&](TDataSource&) { ++secondCalls; };
  Source.OnStateChange = [&](TDataSource&) { second.SetDataSet(nullptr); };
  Table.Open();
  EXPECT_EQ(secondCalls, 0);
}

}  // namespace
}  // namespace tables::test
