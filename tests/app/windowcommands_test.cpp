// The frame's commands that open the working windows and the about box, and the
// ones that end the program: each working window at most once, owned by the frame
// as a window of its own, and opened anew after it closed.
#include <QTimer>
#include <filesystem>
#include <fstream>

#include "app/about.h"
#include "items/windows/frminput.h"
#include "items/windows/frmparam.h"
#include "mainformfixture.h"
#include "normalprint/frminput1.h"
#include "support/loopbacklistener.h"

namespace app::test {
namespace {

using WindowCommands = TMainFormTest;

struct TWindowCommand {
  const char* Name;
  void (*Run)(TMainForm&);
  QWidget* (*Open)();  // the window's pointer
};

// The frame's windows of the same class as window, among its children.
int WindowsLike(const TMainForm& frame, const QWidget& window) {
  int count = 0;
  for (const QWidget* child : frame.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (child->isWindow() && qstrcmp(child->metaObject()->className(), window.metaObject()->className()) == 0) ++count;
  }
  return count;
}

class OpeningCommands : public TMainFormTest, public ::testing::WithParamInterface<TWindowCommand> {};

TEST_P(OpeningCommands, OpenOneWindowOwnedByTheFrameAndANewOneAfterItClosed) {
  Shown();
  GetParam().Run(*Frame);
  QWidget* first = GetParam().Open();
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(first->isVisible());
  EXPECT_TRUE(first->isWindow());
  EXPECT_EQ(first->parentWidget(), Frame);
  EXPECT_EQ(Frame->MDIChildCount(), 0);  // not an MDI child
  Activate(*Frame);
  GetParam().Run(*Frame);
  EXPECT_EQ(GetParam().Open(), first);
  EXPECT_EQ(WindowsLike(*Frame, *first), 1);
  EXPECT_TRUE(Frame->isActiveWindow());  // the open one is not brought to the front
  first->close();
  Settle();
  EXPECT_EQ(GetParam().Open(), nullptr);
  GetParam().Run(*Frame);
  ASSERT_NE(GetParam().Open(), nullptr);
  EXPECT_TRUE(GetParam().Open()->isVisible());
  EXPECT_EQ(WindowsLike(*Frame, *GetParam().Open()), 1);
  EXPECT_TRUE(TakeMessages().empty());
}

QWidget* ItemMaster() { return items::frminput; }
QWidget* NormalPrinter() { return frminput1; }
QWidget* Parameters() { return items::frmparam; }

// Save and its speed button are enabled only beside MDI children; their command stays the same.
void Enabled(QAction& item) {
  item.setEnabled(true);
  item.trigger();
}

INSTANTIATE_TEST_SUITE_P(
    Commands, OpeningCommands,
    ::testing::Values(
        TWindowCommand{"BarcodePrinterItem", [](TMainForm& frame) { frame.ItemMaster1->trigger(); }, ItemMaster},
        TWindowCommand{"ItemMasterButton", [](TMainForm& frame) { frame.itemmaster->click(); }, ItemMaster},
        TWindowCommand{"NormalPrinterItem", [](TMainForm& frame) { frame.NormalPrinter1->trigger(); }, NormalPrinter},
        TWindowCommand{"SaveButton",
                       [](TMainForm& frame) {
                         frame.SaveBtn->setEnabled(true);
                         frame.SaveBtn->click();
                       },
                       NormalPrinter},
        TWindowCommand{"SaveItem", [](TMainForm& frame) { Enabled(*frame.FileSaveItem); }, NormalPrinter},
        TWindowCommand{"ParameterItem", [](TMainForm& frame) { frame.Parameter1->trigger(); }, Parameters}),
    [](const auto& info) { return info.param.Name; });

TEST_F(WindowCommands, WorkingWindowsGoWithTheFrame) {
  Shown();
  Frame->itemmaster->click();
  Frame->Parameter1->trigger();
  Frame->NormalPrinter1->trigger();
  ASSERT_NE(items::frminput, nullptr);
  ASSERT_NE(items::frmparam, nullptr);
  ASSERT_NE(frminput1, nullptr);
  delete Frame;
  EXPECT_EQ(items::frminput, nullptr);
  EXPECT_EQ(items::frmparam, nullptr);
  EXPECT_EQ(frminput1, nullptr);
}

// A shop whose server is down still prints: the item master says why it cannot open,
// naming the server, and the other working windows open as ever.
TEST_F(WindowCommands, AnUnreachableItemServerKeepsTheOtherWindowsWorking) {
  int port = 0;
  ::close(testsupport::BindLoopback(&port));  // nobody listens there
  std::filesystem::create_directory(Dir.File("databases"));
  std::ofstream(Dir.File("databases/tavrin.uri")) << "host=127.0.0.1 port=" << port << " dbname=shop\n";
  Shown();
  Frame->itemmaster->click();
  const auto messages = TakeMessages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_TRUE(messages[0].starts_with("Cannot reach the table server (database shop on server 127.0.0.1:" +
                                      std::to_string(port) + "): "))
      << messages[0];
  ASSERT_NE(items::frminput, nullptr);  // open without data, to be closed and opened again later
  EXPECT_FALSE(items::frminput->tblbarmas.Active());
  Frame->NormalPrinter1->trigger();
  Frame->Parameter1->trigger();
  ASSERT_NE(frminput1, nullptr);
  ASSERT_NE(items::frmparam, nullptr);
  EXPECT_TRUE(frminput1->isVisible());
  EXPECT_TRUE(items::frmparam->isVisible());
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
