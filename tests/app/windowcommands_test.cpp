// The frame's commands that open the working windows and the about box, and the
// ones that end the program: each working window at most once, owned by the frame
// as a window of its own, and opened anew after it closed.
#include "app/windowcommands.h"

#include <QTimer>

#include "app/about.h"
#include "items/windows/frminput.h"
#include "items/windows/frmparam.h"
#include "mainformfixture.h"

namespace app::test {
namespace {

using WindowCommands = TMainFormTest;

struct TItemMasterCommand {
  const char* Name;
  void (*Run)(TMainForm&);
};

class ItemMasterCommands : public TMainFormTest, public ::testing::WithParamInterface<TItemMasterCommand> {};

TEST_P(ItemMasterCommands, OpenOneItemMasterOwnedByTheFrameAndANewOneAfterItClosed) {
  Shown();
  GetParam().Run(*Frame);
  items::Tfrminput* first = items::frminput;
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(first->isVisible());
  EXPECT_TRUE(first->isWindow());
  EXPECT_EQ(first->parentWidget(), Frame);
  EXPECT_EQ(Frame->MDIChildCount(), 0);  // not an MDI child
  Activate(*Frame);
  GetParam().Run(*Frame);
  EXPECT_EQ(items::frminput, first);
  EXPECT_EQ(Frame->findChildren<items::Tfrminput*>().size(), 1);
  EXPECT_TRUE(Frame->isActiveWindow());  // the open one is not brought to the front
  first->close();
  Settle();
  EXPECT_EQ(items::frminput, nullptr);
  GetParam().Run(*Frame);
  ASSERT_NE(items::frminput, nullptr);
  EXPECT_TRUE(items::frminput->isVisible());
  EXPECT_EQ(Frame->findChildren<items::Tfrminput*>().size(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, ItemMasterCommands,
    ::testing::Values(TItemMasterCommand{"Menu", [](TMainForm& frame) { frame.ItemMaster1->trigger(); }},
                      TItemMasterCommand{"SpeedButton", [](TMainForm& frame) { frame.itemmaster->click(); }}),
    [](const auto& info) { return info.param.Name; });

TEST_F(WindowCommands, ParameterOpensOneParametersWindowOwnedByTheFrame) {
  Shown();
  Frame->Parameter1->trigger();
  items::Tfrmparam* first = items::frmparam;
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(first->isVisible());
  EXPECT_EQ(first->parentWidget(), Frame);
  Frame->Parameter1->trigger();
  EXPECT_EQ(items::frmparam, first);
  first->close();
  Settle();
  EXPECT_EQ(items::frmparam, nullptr);
  Frame->Parameter1->trigger();
  EXPECT_NE(items::frmparam, nullptr);
}

TEST_F(WindowCommands, WorkingWindowsGoWithTheFrame) {
  Shown();
  Frame->itemmaster->click();
  Frame->Parameter1->trigger();
  ASSERT_NE(items::frminput, nullptr);
  ASSERT_NE(items::frmparam, nullptr);
  delete Frame;
  EXPECT_EQ(items::frminput, nullptr);
  EXPECT_EQ(items::frmparam, nullptr);
}

TEST_F(WindowCommands, NormalPrinterCommandsOpenNoMdiChild) {
  Shown();
  const int windows = static_cast<int>(QApplication::topLevelWidgets().size());
  Frame->NormalPrinter1->trigger();
  Frame->SaveBtn->setEnabled(true);
  Frame->SaveBtn->click();
  EXPECT_EQ(Frame->MDIChildCount(), 0);
  EXPECT_EQ(QApplication::topLevelWidgets().size(), windows);
  EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(WindowCommands, ExitClosesTheFrame) {
  for (auto exit : {+[](TMainForm& frame) { frame.FileExitItem->trigger(); },
                    +[](TMainForm& frame) { frame.ExitBtn->click(); }}) {
    Shown();
    exit(*Frame);
    EXPECT_FALSE(Frame->isVisible());
  }
}

TEST_F(WindowCommands, EachAboutCommandShowsANewModalBoxStartingAqua) {
  Shown();
  std::vector<TfrmAbout*> shown;
  const QColor aqua(0, 255, 255);
  const auto previousChooser = controls::SetColorChooser([](QWidget*, const QColor&) { return QColor(Qt::yellow); });
  std::function<void()> inspect = [&] {
    TfrmAbout* box = frmAbout;
    ASSERT_NE(box, nullptr);
    shown.push_back(box);
    EXPECT_EQ(QApplication::activeModalWidget(), box);
    EXPECT_TRUE(box->isModal());
    EXPECT_EQ(box->parentWidget(), Frame);
    EXPECT_EQ(box->ColorPicker1->Color(), aqua);
    EXPECT_EQ(box->Memo1->palette().color(QPalette::Base), aqua);
    box->ColorPicker1->click();
    EXPECT_EQ(box->Memo1->palette().color(QPalette::Base), QColor(Qt::yellow));
    if (shown.size() == 1) KeepScreenshot(*box, "about");
    box->OKButton->click();
  };
  for (int showing = 0; showing < 2; ++showing) {
    QTimer::singleShot(0, inspect);
    Frame->HelpAboutItem->trigger();
    EXPECT_EQ(frmAbout, nullptr);
  }
  controls::SetColorChooser(previousChooser);
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_NE(shown[0], shown[1]);
  // Closed boxes stay with the frame until it goes.
  EXPECT_EQ(Frame->findChildren<TfrmAbout*>().size(), 2);
  for (TfrmAbout* box : Frame->findChildren<TfrmAbout*>()) EXPECT_FALSE(box->isVisible());
}

}  // namespace
}  // namespace app::test
