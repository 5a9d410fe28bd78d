// Labels for several items from the item window: the grid's several-row selection,
// Print of a selection and the context menu's "all items", each after the operator's
// confirmation, and the progress window's summary.
#include <QAction>
#include <QApplication>
#include <QTest>
#include <fstream>
#include <sstream>

#include "controls/confirm.h"
#include "items/itemtransfer.h"
#include "items/labeljob.h"
#include "items/shoptables.h"
#include "items/windows/batchwindow.h"
#include "items/windows/frminput.h"
#include "windowfixture.h"

namespace items::test {
namespace {

using tables::TVariant;

const TLabelValues kItems[] = {
    {"4006381333931", "Milk", "2", "1.25", ""},
    {"4012345678901", "Tea", "0", "0.00", ""},
    {"5901234123457", "Rice", "3", "2.50", ""},
};

class BatchPrint : public TWindowTest {
 protected:
  void SetUp() override {
    CreateMissingTables(Dir.Path());
    tables::TTable table;
    OpenItemTable(table, Dir.Path());
    std::vector<tables::TTable::TRowWrite> rows;
    for (const TLabelValues& item : kItems) {
      rows.push_back({0, {item.Barcode, item.Name, std::stod(item.Price), TVariant{}, TVariant{},
                          std::stod(item.Quantity), TVariant{}}});
    }
    table.WriteRows(rows);
    gPrtname = "Z";
    FPreviousConfirm = controls::SetConfirmHandler([this](const std::string& question) {
      Questions.push_back(question);
      return Answer;
    });
    Window = OpenItemMaster(nullptr);
    Activate(*Window);
    Window->LabelJob().Wait = [this](double seconds) { Waits.push_back(seconds); };
    Window->mport->setCurrentText(QString::fromStdString(Dir.File("labels.prn")));
  }
  void TearDown() override { controls::SetConfirmHandler(FPreviousConfirm); }

  void ClickRow(int row, Qt::KeyboardModifiers modifiers = {}) {
    QWidget* cells = Window->DBGrid1->viewport();
    const QRect rect = Window->DBGrid1->visualRect(Window->DBGrid1->model()->index(row, 1));
    QTest::mouseClick(cells, Qt::LeftButton, modifiers, rect.center());
  }
  // The status text once the batch has stopped.
  std::string FinishedStatus() {
    TBatchWindow* progress = Window->findChild<TBatchWindow*>("BatchProgress");
    if (!progress) return "no progress window";
    EXPECT_EQ(progress->windowTitle(), "Printing labels");
    EXPECT_TRUE(QTest::qWaitFor([&] { return progress->CancelButton->text() == "Close"; }, 5000));
    return progress->Status->text().toStdString();
  }
  std::string Printed() {
    std::stringstream text;
    text << std::ifstream(Dir.File("labels.prn"), std::ios::binary).rdbuf();
    return text.str();
  }
  static std::string JobsOf(std::initializer_list<int> items) {
    std::string bytes;
    for (int i : items)
      for (const std::string& line : LabelJobLines("Z", kItems[i], '.')) bytes += line + "\r\n";
    return bytes;
  }

  Tfrminput* Window = nullptr;
  std::vector<std::string> Questions;
  std::vector<double> Waits;
  bool Answer = true;

 private:
  controls::TConfirmHandler FPreviousConfirm;
};

TEST_F(BatchPrint, ASingleClickStillSelectsOneRowAndMovesTheCursor) {
  ClickRow(2);
  EXPECT_EQ(Window->DBGrid1->SelectedBookmarks().size(), 1u);
  EXPECT_EQ(Window->tblbarmas.FieldByName(barmas::FBarcode).AsString(), kItems[2].Barcode);
  ClickRow(0, Qt::ControlModifier);
  EXPECT_EQ(Window->DBGrid1->SelectedBookmarks().size(), 2u);
  QTest::keyClick(Window->DBGrid1, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(Window->DBGrid1->SelectedBookmarks().size(), 3u);
}

TEST_F(BatchPrint, PrintWithSeveralRowsPrintsTheSelectionInGridOrder) {
  ClickRow(2);
  ClickRow(0, Qt::ControlModifier);
  QTest::mouseClick(Window->BitBtn3, Qt::LeftButton);
  EXPECT_EQ(Questions, std::vector<std::string>{"Print labels for 2 items?"});
  EXPECT_EQ(FinishedStatus(), "Labels for 2 of 2 items sent");
  EXPECT_EQ(Printed(), JobsOf({0, 2}));
  EXPECT_EQ(Waits, std::vector<double>(30, 0.1));  // three seconds, the window answering between tenths
  EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(BatchPrint, AllItemsFromTheContextMenuSkipQuantityZero) {
  QAction* all = Window->DBGrid1->findChild<QAction*>("PrintAllItems");
  ASSERT_NE(all, nullptr);
  EXPECT_EQ(all->text(), "Print labels for all items");
  all->trigger();
  EXPECT_EQ(Questions, std::vector<std::string>{"Print labels for 3 items?"});
  EXPECT_EQ(FinishedStatus(), "Labels for 2 of 3 items sent, 1 skipped (quantity 0)");
  EXPECT_EQ(Printed(), JobsOf({0, 2}));
}

TEST_F(BatchPrint, ADeclinedQuestionSendsNothing) {
  Answer = false;
  Window->DBGrid1->findChild<QAction*>("PrintAllItems")->trigger();
  EXPECT_EQ(Questions.size(), 1u);
  EXPECT_EQ(Window->findChild<TBatchWindow*>("BatchProgress"), nullptr);
  EXPECT_TRUE(Waits.empty());
}

TEST_F(BatchPrint, AFailureNamesTheItemAndOffersTheRest) {
  Window->mport->setCurrentText(QString::fromStdString(Dir.File("missing/labels.prn")));
  Window->DBGrid1->findChild<QAction*>("PrintAllItems")->trigger();
  EXPECT_EQ(FinishedStatus(),
            "The label of item 4006381333931 (Milk) was not sent: Error File not found\nLabels for 0 of 3 items sent");
  EXPECT_TRUE(Window->findChild<TBatchWindow*>("BatchProgress")->RestButton->isVisible());
}

// The window answers during the Print button's wait: Cancel there sends nothing.
TEST_F(BatchPrint, CancelDuringTheWaitSendsNothing) {
  Window->LabelJob().Wait = [this](double seconds) {
    Waits.push_back(seconds);
    if (Waits.size() != 5) return;
    QTimer::singleShot(0, [this] { QTest::keyClick(Window->findChild<TBatchWindow*>("BatchProgress"), Qt::Key_Escape); });
  };
  Window->DBGrid1->findChild<QAction*>("PrintAllItems")->trigger();
  EXPECT_EQ(FinishedStatus(), "Labels for 0 of 3 items sent");
  EXPECT_EQ(Waits.size(), 5u);
  EXPECT_EQ(Printed(), "");
}

}  // namespace
}  // namespace items::test
