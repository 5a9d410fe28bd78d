// The navigator: its buttons' hints, which buttons the cursor's row and state
// enable, what each button does to the cursor, and its click signal.
#include "controls/dbnavigator.h"

#include <gtest/gtest.h>

#include <QTest>
#include <set>

#include "controls/confirm.h"
#include "messages.h"
#include "tables/support.h"

namespace controls::test {
namespace {

using tables::TDataSetState;
using tables::TTable;
using tables::test::TRawConnection;
using tables::test::TTempDir;
using B = TNavigateButton;
using Buttons = std::set<TNavigateButton>;

constexpr B kAll[] = {B::nbFirst, B::nbPrior, B::nbNext,   B::nbLast,   B::nbInsert,
                      B::nbDelete, B::nbEdit, B::nbPost, B::nbCancel, B::nbRefresh};

// Answers the delete question as told and remembers that it was asked.
class TConfirmAnswer {
 public:
  explicit TConfirmAnswer(bool answer)
      : FPrevious(SetConfirmHandler([this, answer](const std::string& question) {
          Asked.push_back(question);
          return answer;
        })) {}
  ~TConfirmAnswer() { SetConfirmHandler(FPrevious); }
  std::vector<std::string> Asked;

 private:
  TConfirmHandler FPrevious;
};

class Navigator : public ::testing::Test {
 protected:
  void Open(const std::vector<tables::test::TItem>& items) {
    tables::test::MakeBarmas(Dir.Path(), items);
    Table.SetDatabaseName(Dir.Path());
    Table.SetTableName("Barmas.DAT");
    Table.SetIndexFieldNames("FBarcode");
    Table.Open();
    Source.SetDataSet(&Table);
    Bar.SetDataSource(&Source);
    QObject::connect(&Bar, &TDBNavigator::Click, [this](TNavigateButton button) { Clicks.push_back(button); });
    Bar.show();
  }
  void OpenThree() { Open({{"200", "rice", ""}, {"100", "soap", ""}, {"300", "salt", ""}}); }
  Buttons Enabled() const {
    Buttons enabled;
    for (B button : kAll) {
      if (Bar.Button(button)->isEnabled()) enabled.insert(button);
    }
    return enabled;
  }
  void Press(B button) { QTest::mouseClick(Bar.Button(button), Qt::LeftButton); }
  std::string Barcode() { return Table.FieldByName("FBarcode").AsString(); }

  TTempDir Dir;
  TTable Table;
  tables::TDataSource Source;
  TDBNavigator Bar{{"DBNavigator1"}};
  std::vector<TNavigateButton> Clicks;
  TCapturedMessages Messages;
};

TEST_F(Navigator, ButtonsShowTheirHintsAndTakeNoFocus) {
  const char* const hints[] = {"First record",  "Prior record",  "Next record", "Last record", "Insert record",
                               "Delete record", "Edit record",   "Post edit",   "Cancel edit", "Refresh data"};
  EXPECT_EQ(Bar.objectName(), "DBNavigator1");
  for (int i = 0; i < kNavigateButtonCount; ++i) {
    const QToolButton* button = Bar.Button(kAll[i]);
    EXPECT_EQ(button->toolTip().toStdString(), hints[i]);
    EXPECT_EQ(button->accessibleName().toStdString(), hints[i]);
    EXPECT_EQ(button->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(button->icon().actualSize(QSize(16, 16)), QSize(16, 16));
  }
}

struct TStateCase {
  const char* Name;
  bool Empty;
  std::function<void(TTable&)> Reach;
  Buttons Enabled;
};

class NavigatorStates : public Navigator, public ::testing::WithParamInterface<TStateCase> {};

TEST_P(NavigatorStates, EnabledButtonsFollowTheCursor) {
  if (GetParam().Empty) {
    Open({});
  } else {
    OpenThree();
  }
  GetParam().Reach(Table);
  EXPECT_EQ(Enabled(), GetParam().Enabled);
}

const Buttons kBrowseChanges{B::nbInsert, B::nbDelete, B::nbEdit, B::nbRefresh};

Buttons With(Buttons buttons, std::initializer_list<B> more) {
  buttons.insert(more);
  return buttons;
}

INSTANTIATE_TEST_SUITE_P(
    States, NavigatorStates,
    ::testing::Values(
        TStateCase{"FirstRow", false, [](TTable&) {}, With(kBrowseChanges, {B::nbNext, B::nbLast})},
        TStateCase{"MiddleRow", false, [](TTable& t) { t.Next(); },
                   With(kBrowseChanges, {B::nbFirst, B::nbPrior, B::nbNext, B::nbLast})},
        TStateCase{"LastRow", false, [](TTable& t) { t.Last(); }, With(kBrowseChanges, {B::nbFirst, B::nbPrior})},
        // Reached without First, so only the row's place tells that it is the first.
        TStateCase{"FirstRowByBookmark", false,
                   [](TTable& t) {
                     const auto first = t.GetBookmark();
                     t.Last();
                     t.GotoBookmark(first);
                   },
                   With(kBrowseChanges, {B::nbNext, B::nbLast})},
        TStateCase{"Editing", false,
                   [](TTable& t) {
                     t.Next();
                     t.Edit();
                   },
                   {B::nbFirst, B::nbPrior, B::nbNext, B::nbLast, B::nbPost, B::nbCancel}},
        TStateCase{"Inserting", false, [](TTable& t) { t.Append(); },
                   {B::nbFirst, B::nbPrior, B::nbPost, B::nbCancel}},
        TStateCase{"Closed", false, [](TTable& t) { t.Close(); }, {}},
        TStateCase{"EmptyTable", true, [](TTable&) {}, {B::nbInsert, B::nbEdit, B::nbRefresh}},
        TStateCase{"EmptyTableInserting", true, [](TTable& t) { t.Edit(); }, {B::nbPost, B::nbCancel}}),
    [](const auto& info) { return std::string(info.param.Name); });

struct TWorkCase {
  const char* Name;
  std::function<void(TTable&)> Before;
  B Button;
  std::string Barcode;
  TDataSetState State;
};

class NavigatorWork : public Navigator, public ::testing::WithParamInterface<TWorkCase> {};

TEST_P(NavigatorWork, EachButtonDoesItsWorkThenSignals) {
  OpenThree();
  GetParam().Before(Table);
  Press(GetParam().Button);
  EXPECT_EQ(Barcode(), GetParam().Barcode);
  EXPECT_EQ(Table.State(), GetParam().State);
  EXPECT_EQ(Clicks, std::vector<TNavigateButton>{GetParam().Button});
  EXPECT_TRUE(Messages.Texts.empty());
}

void None(TTable&) {}
void ToLast(TTable& t) { t.Last(); }
void EditBarcode(TTable& t) {
  t.Edit();
  t.FieldByName("FBarcode").SetAsString("150");
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, NavigatorWork,
    ::testing::Values(TWorkCase{"First", ToLast, B::nbFirst, "100", TDataSetState::dsBrowse},
                      TWorkCase{"Prior", ToLast, B::nbPrior, "200", TDataSetState::dsBrowse},
                      TWorkCase{"Next", None, B::nbNext, "200", TDataSetState::dsBrowse},
                      TWorkCase{"Last", None, B::nbLast, "300", TDataSetState::dsBrowse},
                      TWorkCase{"Insert", None, B::nbInsert, "", TDataSetState::dsInsert},
                      TWorkCase{"Edit", None, B::nbEdit, "100", TDataSetState::dsEdit},
                      TWorkCase{"Post", EditBarcode, B::nbPost, "150", TDataSetState::dsBrowse},
                      TWorkCase{"Cancel", EditBarcode, B::nbCancel, "100", TDataSetState::dsBrowse}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(Navigator, RefreshShowsWhatAnotherUserPosted) {
  OpenThree();
  TRawConnection(Dir.Path() + "Barmas.DAT").Exec("UPDATE Barmas SET FName = 'tea' WHERE FBarcode = '100'");
  Press(B::nbRefresh);
  EXPECT_EQ(Table.FieldByName("FName").AsString(), "tea");
}

TEST_F(Navigator, DeleteAsksFirstAndKeepsTheRowWhenDeclined) {
  OpenThree();
  {
    TConfirmAnswer no(false);
    Press(B::nbDelete);
    EXPECT_EQ(no.Asked, std::vector<std::string>{"Delete record?"});
  }
  EXPECT_EQ(Table.RecordCount(), 3);
  {
    TConfirmAnswer yes(true);
    Press(B::nbDelete);
    EXPECT_EQ(yes.Asked.size(), 1u);
  }
  EXPECT_EQ(Table.RecordCount(), 2);
  EXPECT_EQ(Barcode(), "200");
  EXPECT_EQ(Clicks, (std::vector<TNavigateButton>{B::nbDelete, B::nbDelete}));
}

TEST_F(Navigator, AFailedPostIsShownWithoutAClickAndTheCursorStaysEditing) {
  OpenThree();
  Table.Edit();
  Table.FieldByName("FName").SetAsString("flour");
  TRawConnection(Dir.Path() + "Barmas.DAT").Exec("DELETE FROM Barmas WHERE FBarcode = '100'");
  Press(B::nbPost);
  EXPECT_EQ(Messages.Take(), std::vector<std::string>{
                                 "Cannot post to table Barmas.DAT: the row was deleted by another user"});
  EXPECT_TRUE(Clicks.empty());
  EXPECT_EQ(Table.State(), TDataSetState::dsEdit);
  EXPECT_TRUE(Bar.Button(B::nbPost)->isEnabled());
}

}  // namespace
}  // namespace controls::test
