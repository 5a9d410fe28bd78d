// The real program under a real X server with a window manager, driven by key
// presses and clicks from outside: what an operator does, and what ends up in the
// port and in the tables. Screenshots of every window stay in the build folder.
#include <gtest/gtest.h>

#include <QMenuBar>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "barcode/control/rendered.h"
#include "support/tempdir.h"
#include "support/xsession.h"

namespace {

namespace fs = std::filesystem;
using testsupport::PressKeys;
using testsupport::RunTool;
using testsupport::TChildProcess;
using testsupport::TXWindow;
using testsupport::TypeText;

const std::string kMainCaption = "^Barcode Printing Software  $";

class WholeProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    // The program keeps its tables beside its file: a copy of its own, with fresh tables.
    fs::copy_file(PROGRAM_FILE, Dir.File("BarcodePrint"));
    RunTool(MKTABLES_FILE, {QString::fromStdString(Dir.Path())});
    // Port LPT1 of the fresh settings, mapped to a plain file that receives the job.
    fs::create_directories(Dir.File("ports"));
    std::ofstream(Dir.File("ports/LPT1")).flush();
    WindowManager = std::make_unique<TChildProcess>("openbox", QStringList{"--sm-disable"});
    WaitForWindowManager();
    Program = std::make_unique<TChildProcess>(QString::fromStdString(Dir.File("BarcodePrint")));
  }
  void TearDown() override {
    Program.reset();
    WindowManager.reset();
  }

  static void WaitForWindowManager() {
    for (int tries = 0; tries < 200; ++tries) {
      QProcess probe;
      probe.start("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"});
      probe.waitForFinished(2000);
      if (probe.readAllStandardOutput().contains("window id")) return;
      QThread::msleep(25);
    }
    throw std::runtime_error("openbox did not start");
  }

  static void Keep(const TXWindow& window, const std::string& name) {
    window.Screenshot(fs::path(SCREENSHOT_DIR) / (name + ".png"));
  }

  // The frame's menu bar as Qt lays it out here (same style, same fonts): where the
  // menu titles are, and the speed panel right under it.
  static QRect MenuTitle(const QString& title) {
    QMenuBar bar;
    QAction* wanted = nullptr;
    for (const char* menu : {"&File", "Input", "&Window", "&Help"}) {
      QAction* action = bar.addMenu(menu)->menuAction();
      if (title == menu) wanted = action;
    }
    bar.adjustSize();
    return wanted ? bar.actionGeometry(wanted) : QRect(QPoint(), bar.sizeHint());
  }
  static int SpeedPanelTop() { return MenuTitle("").height(); }

  std::string Table(const std::string& sql) {
    return RunTool("sqlite3", {QString::fromStdString(Dir.File("Barmas.DAT")), QString::fromStdString(sql)});
  }
  std::string ParamTable(const std::string& sql) {
    return RunTool("sqlite3", {QString::fromStdString(Dir.File("param.DAT")), QString::fromStdString(sql)});
  }
  std::string PortText() {
    std::ifstream port(Dir.File("ports/LPT1"), std::ios::binary);
    std::stringstream text;
    text << port.rdbuf();
    return text.str();
  }

  testsupport::TTempDir Dir;
  std::unique_ptr<TChildProcess> WindowManager;
  std::unique_ptr<TChildProcess> Program;
};

TEST_F(WholeProgram, AnItemAddedInTheItemMasterIsStoredAndPrintedToThePort) {
  const TXWindow main = TXWindow::WaitFor(kMainCaption);
  EXPECT_EQ(main.Caption(), "Barcode Printing Software  ");
  EXPECT_TRUE(main.Maximised());
  Keep(main, "main-window");

  // The item master's speed button: first on the panel, 25 pixels square at x 3.
  main.ClickAt(3 + 12, SpeedPanelTop() + 14);
  const TXWindow input = TXWindow::WaitFor("^Input$");
  const auto geometry = input.Geometry();
  EXPECT_EQ(geometry.Width, 606);
  EXPECT_EQ(geometry.Height, 428);
  input.Activate();

  // The barcode box has the keyboard; leaving it starts the new item.
  TypeText("5901234123457");
  PressKeys({"Tab"});
  TypeText("Green tea");
  PressKeys({"Tab"});
  TypeText("4.75");
  PressKeys({"Tab"});
  TypeText("3.10");
  PressKeys({"Tab"});
  TypeText("2");
  Keep(input, "item-master-filled");
  PressKeys({"Return"});  // Save, the window's default button
  EXPECT_EQ(Table("SELECT FBarcode, FName, FSP, FCost, FBarQty FROM Barmas"), "5901234123457|Green tea|4.75|3.1|2.0");

  PressKeys({"alt+p"});  // Print: a 3-second wait, then the Zebra job line by line
  const std::string job =
      "^XA\r\n^XB\r\n^LH0,03\r\n"
      "^BY1.0,10,,^FO15,84^AP,22,N,N,N^FDGreen tea^FS\r\n"
      "^BY2,3.0,2,^FO50,160^AP^BEN,70,Y,N^FD5901234123457^FS\r\n"
      "^BY1.0,10,,^FO42,122^AP,30,N,N,N^FDDhs.4.75^FS\r\n"
      "^PQ2\r\n^XZ\r\n";
  for (int tries = 0; tries < 100 && PortText().size() < job.size(); ++tries) QThread::msleep(100);
  EXPECT_EQ(PortText(), job);
  Keep(input, "item-master-printed");

  PressKeys({"Escape"});  // Cancel: nothing pending, the window stays
  input.Activate();
  PressKeys({"alt+F4"});
  EXPECT_TRUE(TXWindow::WaitForGone("^Input$"));
  main.Activate();
  PressKeys({"alt+F4"});
  EXPECT_EQ(Program->WaitForExit(10000), 0);
}

TEST_F(WholeProgram, NormalPrinterParametersAndAboutBoxFromTheFrameAndExitWithAPreviewOpen) {
  const TXWindow main = TXWindow::WaitFor(kMainCaption);
  main.Activate();

  // Input > Normal Printer.
  const QRect input = MenuTitle("Input");
  main.ClickAt(input.center().x(), input.center().y());
  PressKeys({"n"});
  const TXWindow designer = TXWindow::WaitFor("^Normal Printer  Input$");
  EXPECT_EQ(designer.Caption(), "Normal Printer  Input");
  EXPECT_EQ(designer.Geometry().Width, 606);
  EXPECT_EQ(designer.Geometry().Height, 428);
  designer.Activate();
  TypeText("5901234123457");  // the code text box has the keyboard
  Keep(designer, "normal-printer");

  // Bmpfile: the save dialog offers BARCODE.BMP; a name of our own goes to the test's folder.
  PressKeys({"alt+b"});
  const TXWindow save = TXWindow::WaitFor("^Save As$");
  save.Activate();
  PressKeys({"ctrl+a"});
  TypeText(Dir.File("designed"));
  PressKeys({"Return"});
  ASSERT_TRUE(TXWindow::WaitForGone("^Save As$"));
  const QImage saved(QString::fromStdString(Dir.File("designed.BMP")), "BMP");
  ASSERT_FALSE(saved.isNull());
  EXPECT_EQ(barcode::Decoded(saved, ZXing::BarcodeFormat::EAN13), "5901234123457");

  // Clipboard: the operator is told, and another program reads the picture.
  designer.Activate();
  PressKeys({"alt+c"});
  const TXWindow told = TXWindow::WaitFor("^Barcode Printing Software$");
  Keep(told, "clipboard-message");
  const std::string png = Dir.File("clipboard.png");
  RunTool("sh", {"-c", QString::fromStdString("xclip -selection clipboard -t image/png -o > '" + png + "'")});
  EXPECT_EQ(barcode::Decoded(QImage(QString::fromStdString(png)), ZXing::BarcodeFormat::EAN13), "5901234123457");
  told.Activate();
  PressKeys({"Return"});
  ASSERT_TRUE(TXWindow::WaitForGone("^Barcode Printing Software$"));

  // Preview: the label page in the preview window, left open.
  designer.ClickAt(88 + 37, 374 + 23);
  const TXWindow preview = TXWindow::WaitFor("^Print Preview$");
  EXPECT_TRUE(preview.Maximised());
  QThread::msleep(500);  // the page is drawn once generation has finished
  Keep(preview, "preview");

  // File > Parameter: the printer type becomes Eltron and is saved.
  main.Activate();
  PressKeys({"alt+f", "Return"});
  const TXWindow parameters = TXWindow::WaitFor("^Parameters Input$");
  // Widened to the right for the label printer's calibration.
  EXPECT_EQ(parameters.Geometry().Width, 695);
  EXPECT_EQ(parameters.Geometry().Height, 303);
  parameters.Activate();
  PressKeys({"Tab"});  // from the port box to the printer type
  TypeText("Eltron");
  Keep(parameters, "parameters");
  PressKeys({"Return"});
  EXPECT_EQ(ParamTable("SELECT PRTNAME FROM param"), "E");

  // Help > About, closed with its OK button.
  main.Activate();
  PressKeys({"alt+h", "a"});
  const TXWindow about = TXWindow::WaitFor("^About$");
  EXPECT_EQ(about.Geometry().Width, 510);
  EXPECT_EQ(about.Geometry().Height, 283);
  Keep(about, "about");
  about.Activate();
  PressKeys({"Return"});
  EXPECT_TRUE(TXWindow::WaitForGone("^About$"));

  // File > Exit ends the program, the open preview with it.
  main.Activate();
  PressKeys({"alt+f", "x"});
  EXPECT_EQ(Program->WaitForExit(10000), 0);
}

}  // namespace
