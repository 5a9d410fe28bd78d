// The preview window on the offscreen platform, driven as the operator drives it: the
// tool bar's commands, the keys, the page counter and progress panel, Save and Load
// through a stand-in for the file dialogs, and closing.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QScrollBar>
#include <QToolBar>
#include <QToolButton>
#include <cmath>
#include <filesystem>

#include "base/messages.h"
#include "reports/pageimage.h"
#include "reports/reppreview.h"
#include "reports/standardpreview.h"
#include "reports/support/previewpages.h"
#include "support/tempdir.h"

namespace reports {
namespace {

using previewtest::FileBytes;
using previewtest::FinishedJob;

void DeleteClosedWindows() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

class Preview : public testing::Test {
 protected:
  void SetUp() override {
    previousChooser = TStandardPreview::SetFileChooser([this](const TReportFileDialog& request) {
      dialogs.push_back(request);
      return chosen;
    });
    previousMessages = platform::SetMessageHandler([this](const std::string& text) { messages.push_back(text); });
  }
  void TearDown() override {
    if (window) window->close();
    DeleteClosedWindows();
    TStandardPreview::SetFileChooser(previousChooser);
    platform::SetMessageHandler(previousMessages);
  }

  TStandardPreview& Open(TRepJob& job) {
    job.OnPreviewClosing = [this] { ++closings; };
    // As the report's Preview does: a job freed first closes its window.
    job.OnDestroyed = [this] {
      if (window) window->JobGone();
    };
    window = TStandardPreview::Open(job);
    QApplication::processEvents();
    return *window;
  }

  int Page() const { return window->RepPreview().PageNumber(); }
  bool Shown() const { return window->RepPreview().PageImage().HasPage(); }

  void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(window->RepPreview().viewport(), &press);
  }

  QPointer<TStandardPreview> window;
  int closings = 0;
  QString chosen;
  std::vector<TReportFileDialog> dialogs;
  std::vector<std::string> messages;
  TReportFileChooser previousChooser;
  platform::TMessageHandler previousMessages;
  testsupport::TTempDir dir;
};

TEST_F(Preview, OpensMaximisedAtWidthZoomOnPageOneOfOne) {
  auto job = FinishedJob(1);
  TStandardPreview& w = Open(*job);
  EXPECT_TRUE(w.isMaximized());
  EXPECT_EQ(w.windowTitle(), "Print Preview");
  EXPECT_TRUE(w.testAttribute(Qt::WA_DeleteOnClose));
  EXPECT_EQ(w.parentWidget(), nullptr);
  EXPECT_TRUE(w.Action(pcZoomWidth)->isChecked());
  EXPECT_FALSE(w.Action(pcZoomFit)->isChecked());
  EXPECT_EQ(w.RepPreview().ZoomMode(), zmWidth);
  const int expected = int(std::nearbyint(w.RepPreview().width() / 816.0 * 90));
  EXPECT_EQ(w.RepPreview().Zoom(), expected);
  EXPECT_EQ(w.PageCounterText(), "Page 1 of 1");
  EXPECT_EQ(w.ProgressText(), "0%");
  EXPECT_TRUE(Shown());
}

TEST_F(Preview, TheWindowShowsThePageInItsPageArea) {
  auto job = std::make_unique<TRepJob>(qrdPreview);
  job->PaperWidth = previewtest::kLetterWidthTenths;
  job->PaperLength = previewtest::kLetterLengthTenths;
  job->PagesStarted = 1;
  job->PageStore().AddPage(previewtest::BoxPage({{100, 100, 300, 200}}));
  job->Complete = true;
  TStandardPreview& w = Open(*job);
  w.Run(pcZoom100);
  QApplication::processEvents();
  const QImage shot = w.grab().toImage();
  const QPoint image = w.RepPreview().PageImage().mapTo(&w, QPoint(0, 0));
  EXPECT_EQ(shot.pixel(image), 0xFF000000u) << "outline";
  EXPECT_EQ(shot.pixel(image + QPoint(50, 50)), 0xFFFFFFFFu) << "white paper";
  EXPECT_EQ(shot.pixel(image + QPoint(200, 150)), 0xFF000000u) << "the box on the page";
}

TEST_F(Preview, ReportTitleBecomesTheCaption) {
  auto job = FinishedJob(1);
  job->Title = "Shelf labels";
  EXPECT_EQ(Open(*job).windowTitle(), "Shelf labels");
}

TEST_F(Preview, ToolBarHoldsTheButtonsInOrderWithHintsAndGlyphs) {
  auto job = FinishedJob(1);
  TStandardPreview& w = Open(*job);
  const QList<QAction*> actions = w.findChild<QToolBar*>("ToolBar1")->actions();
  const std::vector<std::pair<const char*, const char*>> expected = {
      {"ToolButton1", ""}, {"ZoomFit", "Zoom to fit"}, {"Zoom100", "100%"}, {"ZoomToWidth", "Zoom to width"},
      {"Separator1", ""}, {"FirstPage", "First page"}, {"PreviousPage", "Previous page"},
      {"ToolButton2", "Next page"}, {"LastPage", "Last page"}, {"Separator2", ""},
      {"PrintSetup", "Printer setup"}, {"Print", "Print"}, {"Separator3", ""}, {"SaveReport", "Save Report"},
      {"LoadReport", "Load Report"}, {"Separator4", ""}, {"ExitButton", ""}};
  ASSERT_EQ(size_t(actions.size()), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(expected[i].first);
    QAction* action = actions[qsizetype(i)];
    EXPECT_EQ(action->objectName(), expected[i].first);
    EXPECT_EQ(action->isSeparator(), std::string(expected[i].first).starts_with("Separator") ||
                                         std::string(expected[i].first) == "ToolButton1");
    if (!action->isSeparator() && action->objectName() != "ExitButton") {
      EXPECT_EQ(action->toolTip(), expected[i].second);
      const QPixmap glyph = action->icon().pixmap(16, 16);
      EXPECT_EQ(glyph.size(), QSize(16, 16));
      int drawn = 0;
      const QImage image = glyph.toImage();
      for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) drawn += qAlpha(image.pixel(x, y)) > 0;
      EXPECT_GT(drawn, 16) << "a drawn glyph, not an empty one";
    }
  }
  auto* exit = qobject_cast<QToolButton*>(w.findChild<QToolBar*>("ToolBar1")->widgetForAction(w.Action(pcClose)));
  ASSERT_NE(exit, nullptr);
  EXPECT_EQ(exit->text(), "&Close");
  EXPECT_EQ(exit->size(), QSize(40, 22));
}

TEST_F(Preview, ZoomButtonsFormOneGroup) {
  auto job = FinishedJob(1);
  TStandardPreview& w = Open(*job);
  const std::pair<TPreviewCommand, TZoomMode> steps[] = {
      {pcZoomFit, zmFit}, {pcZoom100, zmFixed}, {pcZoomWidth, zmWidth}, {pcZoomFit, zmFit}};
  for (auto [command, mode] : steps) {
    w.Action(command)->trigger();
    EXPECT_EQ(w.RepPreview().ZoomMode(), mode);
    for (TPreviewCommand other : {pcZoomFit, pcZoom100, pcZoomWidth})
      EXPECT_EQ(w.Action(other)->isChecked(), other == command) << command << " " << other;
  }
}

TEST_F(Preview, ZoomCommandsAndLimits) {
  auto job = FinishedJob(1);
  TStandardPreview& w = Open(*job);
  w.resize(600, 1000);  // taller than wide
  QApplication::processEvents();
  TRepPreview& control = w.RepPreview();
  w.Run(pcZoomFit);
  const int byWidth = int(std::nearbyint(control.width() / 816.0 * 95));
  const int byHeight = int(std::nearbyint(control.height() / 1056.0 * 95));
  EXPECT_EQ(control.Zoom(), std::min(byWidth, byHeight));
  w.Run(pcZoom100);
  EXPECT_EQ(control.Zoom(), 100);
  EXPECT_EQ(control.PageImage().size(), QSize(820, 1060));
  const std::pair<int, int> requests[] = {{1, 100}, {2001, 100}, {2, 2}, {2000, 2000}, {0, 2000}};
  for (auto [request, after] : requests) {
    control.SetZoom(request);
    EXPECT_EQ(control.Zoom(), after) << request;
    EXPECT_EQ(control.ZoomMode(), zmFixed);
  }
}

TEST_F(Preview, ResizingRedoesTheZoomOfTheModeAndTheLayout) {
  auto job = FinishedJob(1);
  TStandardPreview& w = Open(*job);
  w.showNormal();
  TRepPreview& control = w.RepPreview();
  w.Run(pcZoomFit);
  w.resize(500, 900);
  QApplication::processEvents();
  EXPECT_EQ(control.Zoom(), FitZoom({control.width(), control.height()}, control.Paper(), 96));
  w.Run(pcZoomWidth);
  w.resize(900, 500);
  QApplication::processEvents();
  EXPECT_EQ(control.Zoom(), int(std::nearbyint(control.width() / 816.0 * 90)));
  w.Run(pcZoom100);
  w.resize(700, 700);
  QApplication::processEvents();
  EXPECT_EQ(control.Zoom(), 100);
  const TImagePlace place = LayoutPageImage({control.width(), control.height()}, control.Paper(), 100, 96);
  EXPECT_EQ(control.PageImage().geometry(), QRect(place.Left, place.Top, place.Width, place.Height));
}

struct TPageStep {
  TPreviewCommand Command;
  int Page;
};

TEST_F(Preview, PageCommandsMoveWithinThePagesAndRefreshTheCounter) {
  auto job = FinishedJob(3);
  TStandardPreview& w = Open(*job);
  const TPageStep steps[] = {{pcPreviousPage, 1}, {pcFirstPage, 1}, {pcNextPage, 2}, {pcNextPage, 3},
                             {pcNextPage, 3},     {pcLastPage, 3},  {pcPreviousPage, 2}, {pcFirstPage, 1},
                             {pcLastPage, 3}};
  for (const TPageStep& step : steps) {
    w.Run(step.Command);
    EXPECT_EQ(Page(), step.Page) << step.Command;
    EXPECT_EQ(w.PageCounterText(), QString("Page %1 of 3").arg(step.Page));
    EXPECT_EQ(w.RepPreview().PageImage().Page()->Bytes(), job->PageStore().Page(step.Page).Bytes());
  }
}

TEST_F(Preview, OnePageReportIgnoresEveryPageCommand) {
  auto job = FinishedJob(1);
  TStandardPreview& w = Open(*job);
  for (TPreviewCommand command : {pcNextPage, pcLastPage, pcFirstPage, pcPreviousPage}) {
    w.Run(command);
    EXPECT_EQ(Page(), 1);
    EXPECT_EQ(w.PageCounterText(), "Page 1 of 1");
  }
}

TEST_F(Preview, GoingToAPageScrollsBackToTheTop) {
  auto job = FinishedJob(2);
  TStandardPreview& w = Open(*job);
  w.RepPreview().SetZoom(400);
  QScrollBar* bar = w.RepPreview().verticalScrollBar();
  ASSERT_GT(bar->maximum(), 0);
  bar->setValue(bar->maximum() / 2);
  EXPECT_EQ(w.RepPreview().PageImage().y(), -bar->value()) << "the image follows the scroll bar";
  w.Run(pcNextPage);
  EXPECT_EQ(bar->value(), 0);
  EXPECT_EQ(w.RepPreview().horizontalScrollBar()->value(), 0);
}

TEST_F(Preview, PagesStartedButNotFinishedShowAnEmptyImage) {
  auto job = FinishedJob(2);
  job->PagesStarted = 3;  // page 3 is being generated
  TStandardPreview& w = Open(*job);
  w.Run(pcLastPage);
  EXPECT_EQ(Page(), 3);
  EXPECT_FALSE(Shown());
  EXPECT_EQ(w.PageCounterText(), "Page 3 of 3");
  w.Run(pcNextPage);
  EXPECT_EQ(Page(), 3) << "no page beyond those started";
}

struct TKeyCase {
  const char* What;
  int Key;
  Qt::KeyboardModifiers Modifiers;
  int From;
  int To;
};

TEST_F(Preview, KeysGoThroughTheWindowsFilter) {
  auto job = FinishedJob(4);
  TStandardPreview& w = Open(*job);
  w.RepPreview().SetZoom(400);  // the page area could scroll, but must not take the keys
  const TKeyCase cases[] = {
      {"Page Down", Qt::Key_PageDown, Qt::NoModifier, 1, 2},
      {"Page Up", Qt::Key_PageUp, Qt::NoModifier, 3, 2},
      {"Ctrl+Page Down", Qt::Key_PageDown, Qt::ControlModifier, 1, 4},
      {"Ctrl+Page Up", Qt::Key_PageUp, Qt::ControlModifier, 4, 1},
      {"Ctrl+Shift+Page Up", Qt::Key_PageUp, Qt::ControlModifier | Qt::ShiftModifier, 3, 2},
      {"Ctrl+Shift+Page Down", Qt::Key_PageDown, Qt::ControlModifier | Qt::ShiftModifier, 1, 2},
      {"Ctrl+Alt+Page Up", Qt::Key_PageUp, Qt::ControlModifier | Qt::AltModifier, 3, 2},
      {"Shift+Page Down", Qt::Key_PageDown, Qt::ShiftModifier, 1, 2},
      {"keypad Ctrl+Page Down", Qt::Key_PageDown, Qt::ControlModifier | Qt::KeypadModifier, 1, 4},
      {"Home", Qt::Key_Home, Qt::NoModifier, 3, 1},
      {"End", Qt::Key_End, Qt::NoModifier, 2, 4},
      {"Ctrl+End", Qt::Key_End, Qt::ControlModifier, 2, 4},
      {"Down arrow", Qt::Key_Down, Qt::NoModifier, 2, 2},
  };
  for (const TKeyCase& c : cases) {
    SCOPED_TRACE(c.What);
    w.RepPreview().GoToPage(c.From);
    ASSERT_EQ(Page(), c.From);
    const int scrolled = w.RepPreview().verticalScrollBar()->value();
    Key(c.Key, c.Modifiers);
    EXPECT_EQ(Page(), c.To);
    if (c.Key != Qt::Key_Down) {  // a key of no command goes on to the page area
      EXPECT_EQ(w.PageCounterText(), QString("Page %1 of 4").arg(c.To));
      EXPECT_EQ(w.RepPreview().verticalScrollBar()->value(), scrolled);
    }
  }
}

TEST_F(Preview, KeysReachTheFilterFromTheToolBarToo) {
  auto job = FinishedJob(2);
  TStandardPreview& w = Open(*job);
  QKeyEvent press(QEvent::KeyPress, Qt::Key_End, Qt::NoModifier);
  QApplication::sendEvent(w.findChild<QToolBar*>("ToolBar1"), &press);
  EXPECT_EQ(Page(), 2);
}

TEST_F(Preview, ProgressShownInStepsOfFiveAndClearedAtTheEnds) {
  TRepJob job(qrdPreview);
  TStandardPreview& w = Open(job);
  const std::pair<int, const char*> steps[] = {{3, "0%"},  {5, "5%"},   {7, "5%"}, {10, "10%"}, {14, "10%"},
                                               {16, "16%"}, {100, ""}, {50, ""},  {0, ""}};
  for (auto [percent, shown] : steps) {
    job.OnProgress(percent);
    EXPECT_EQ(w.ProgressText(), shown) << percent;
  }
}

TEST_F(Preview, PageAvailableLoadsTheFirstPageAtWidthZoomAndRefreshesTheCounter) {
  TRepJob job(qrdPreview);
  job.PaperWidth = previewtest::kLetterWidthTenths;
  job.PaperLength = previewtest::kLetterLengthTenths;
  TStandardPreview& w = Open(job);
  EXPECT_EQ(w.PageCounterText(), "Page 1 of 0");
  EXPECT_FALSE(Shown());
  w.RepPreview().SetZoom(100);
  job.PagesStarted = 1;
  job.PageStore().AddPage(previewtest::NumberedPage(1));
  EXPECT_TRUE(Shown());
  EXPECT_EQ(w.RepPreview().ZoomMode(), zmWidth);
  EXPECT_EQ(w.PageCounterText(), "Page 1 of 1");
  job.PagesStarted = 2;
  job.PageStore().AddPage(previewtest::NumberedPage(2));
  EXPECT_EQ(w.PageCounterText(), "Page 1 of 2");
  EXPECT_EQ(w.RepPreview().PageImage().Page()->Bytes(), previewtest::NumberedPage(1).Bytes());
}

TEST_F(Preview, AHoveredButtonsHintShowsBesideTheProgressAndPagePanels) {
  auto job = FinishedJob(1);
  TStandardPreview& w = Open(*job);
  QWidget* print = w.findChild<QToolBar*>("ToolBar1")->widgetForAction(w.Action(pcPrint));
  QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
  QApplication::sendEvent(print, &enter);
  EXPECT_EQ(w.HintText(), "Print");
  for (const char* panel : {"ProgressPanel", "PagePanel"})
    EXPECT_TRUE(w.findChild<QLabel*>(panel)->isVisible()) << panel;
  EXPECT_EQ(w.PageCounterText(), "Page 1 of 1");
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(print, &leave);
  EXPECT_EQ(w.HintText(), "");
}

TEST_F(Preview, PrintOfALiveReportIsPostedAndLeavesThePreviewAsItIs) {
  auto job = FinishedJob(2);
  int prints = 0;
  job->OnPrint = [&] { ++prints; };
  TStandardPreview& w = Open(*job);
  w.Run(pcNextPage);
  w.Run(pcPrint);
  EXPECT_EQ(prints, 0) << "the report prints after the click";
  QApplication::processEvents();
  EXPECT_EQ(prints, 1);
  EXPECT_EQ(Page(), 2);
  EXPECT_EQ(closings, 0);
}

TEST_F(Preview, PrinterSetupRunsTheReportsCallback) {
  auto job = FinishedJob(1);
  int setups = 0;
  job->OnPrinterSetup = [&] { ++setups; };
  Open(*job).Run(pcPrintSetup);
  EXPECT_EQ(setups, 1);
}

TEST_F(Preview, SaveWritesTheWholeStoreOnlyWhenComplete) {
  auto job = FinishedJob(3);
  TStandardPreview& w = Open(*job);
  chosen = QString::fromStdString(dir.File("saved.LRP"));
  job->Complete = false;
  w.Run(pcSave);
  EXPECT_FALSE(std::filesystem::exists(dir.File("saved.LRP")));
  EXPECT_TRUE(messages.empty());
  job->Complete = true;
  previewtest::WriteBytes(dir.File("saved.LRP"), std::vector<uint8_t>(300000, 0xAA));  // replaced, not appended to
  w.Run(pcSave);
  EXPECT_EQ(FileBytes(dir.File("saved.LRP")), job->PageStore().ReadBytes(0, size_t(job->PageStore().Size())));
  ASSERT_EQ(dialogs.size(), 2u);
  EXPECT_EQ(dialogs[0].Title, "Save report");
  EXPECT_EQ(dialogs[0].Filter, "Label report file(*.LRP);;PDF file (*.pdf)");
  EXPECT_EQ(dialogs[0].DefaultSuffix, "LRP");
  EXPECT_TRUE(dialogs[0].Save);
  chosen.clear();  // Cancel
  w.Run(pcSave);
  EXPECT_TRUE(messages.empty());
}

TEST_F(Preview, LoadShowsTheFilesFirstPageAndDisablesPrinterSetup) {
  auto saved = FinishedJob(2);
  const std::string file = dir.File("two.LRP");
  saved->PageStore().SaveToFile(file);

  auto job = FinishedJob(3);
  job->OnPrint = [] {};
  job->OnPrinterSetup = [] {};
  TStandardPreview& w = Open(*job);
  w.Run(pcLastPage);
  w.RepPreview().SetZoom(77);
  const QSize imageSize = w.RepPreview().PageImage().size();
  chosen = QString::fromStdString(file);
  w.Run(pcLoad);
  ASSERT_TRUE(messages.empty()) << messages.front();
  EXPECT_EQ(dialogs.back().Title, "Load report");
  EXPECT_EQ(dialogs.back().Filter, "Label report file (*.LRP)");
  EXPECT_FALSE(dialogs.back().Save);
  EXPECT_EQ(Page(), 1);
  EXPECT_EQ(w.PageCounterText(), "Page 1 of 2");
  EXPECT_EQ(w.RepPreview().PageImage().Page()->Bytes(), saved->PageStore().Page(1).Bytes());
  EXPECT_FALSE(w.Action(pcPrintSetup)->isEnabled());
  EXPECT_TRUE(job->LoadedFromFile);
  EXPECT_TRUE(job->Complete);
  EXPECT_FALSE(job->OnPrint);
  EXPECT_FALSE(job->OnPrinterSetup);
  // A Letter page is taken for Note; zoom and image size stay.
  EXPECT_EQ(job->Printer.PaperSize, Note);
  EXPECT_EQ(job->Printer.Orientation, poPortrait);
  EXPECT_DOUBLE_EQ(job->PaperLength, 2790);
  EXPECT_EQ(w.RepPreview().Zoom(), 77);
  EXPECT_EQ(w.RepPreview().PageImage().size(), imageSize);
  w.Run(pcNextPage);
  EXPECT_EQ(w.RepPreview().PageImage().Page()->Bytes(), saved->PageStore().Page(2).Bytes());
}

TEST_F(Preview, LoadOfAMissingFileSaysSoAndChangesNothing) {
  auto job = FinishedJob(2);
  TStandardPreview& w = Open(*job);
  w.Run(pcNextPage);
  chosen = QString::fromStdString(dir.File("none.LRP"));
  w.Run(pcLoad);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "File does not exist");
  EXPECT_EQ(Page(), 2);
  EXPECT_EQ(w.PageCounterText(), "Page 2 of 2");
  EXPECT_TRUE(w.Action(pcPrintSetup)->isEnabled());
  EXPECT_FALSE(job->LoadedFromFile);
}

TEST_F(Preview, LoadOfADamagedFileIsRefusedAndTheShownPagesStay) {
  auto saved = FinishedJob(2);
  std::vector<uint8_t> bytes = saved->PageStore().ReadBytes(0, size_t(saved->PageStore().Size()));
  bytes.erase(bytes.end() - 10, bytes.end());
  const std::string file = dir.File("cut.LRP");
  previewtest::WriteBytes(file, bytes);

  auto job = FinishedJob(3);
  TStandardPreview& w = Open(*job);
  w.Run(pcNextPage);
  const std::vector<uint8_t> shown = w.RepPreview().PageImage().Page()->Bytes();
  chosen = QString::fromStdString(file);
  w.Run(pcLoad);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find(file + " is not a valid report file"), std::string::npos) << messages[0];
  EXPECT_EQ(job->PageStore().PageCount(), 3);
  EXPECT_EQ(Page(), 2);
  EXPECT_EQ(w.RepPreview().PageImage().Page()->Bytes(), shown);
  EXPECT_EQ(w.PageCounterText(), "Page 2 of 3");
  EXPECT_FALSE(job->LoadedFromFile);
  EXPECT_TRUE(w.Action(pcPrintSetup)->isEnabled());
}

TEST_F(Preview, LoadOfAPageOfNoStandardSizeKeepsThePaper) {
  TPageStore odd;
  odd.AddPage(previewtest::BoxPage({{10, 10, 50, 50}}, 500, 500));
  odd.Finish();
  const std::string file = dir.File("odd.LRP");
  odd.SaveToFile(file);
  auto job = FinishedJob(1);
  TStandardPreview& w = Open(*job);
  const QSize imageSize = w.RepPreview().PageImage().size();
  chosen = QString::fromStdString(file);
  w.Run(pcLoad);
  EXPECT_EQ(job->Printer.PaperSize, Letter);
  EXPECT_DOUBLE_EQ(job->PaperWidth, previewtest::kLetterWidthTenths);
  EXPECT_EQ(w.RepPreview().PageImage().size(), imageSize);
  EXPECT_EQ(w.PageCounterText(), "Page 1 of 1");
}

TEST_F(Preview, ClosingTellsTheReportOnceAndFreesTheWindow) {
  auto job = FinishedJob(1);
  TStandardPreview& w = Open(*job);
  w.Run(pcClose);
  EXPECT_EQ(closings, 1);
  EXPECT_EQ(job->PageStore().OnPageAvailable, nullptr) << "the window lets go of the job";
  DeleteClosedWindows();
  EXPECT_TRUE(window.isNull());
}

TEST_F(Preview, AJobFreedElsewhereClosesItsWindow) {
  auto job = FinishedJob(1);
  Open(*job);
  job.reset();
  DeleteClosedWindows();
  EXPECT_TRUE(window.isNull());
  EXPECT_EQ(closings, 0) << "nothing is told to a job that is gone";
}

}  // namespace
}  // namespace reports
