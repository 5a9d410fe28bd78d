// Start-up: the global settings from the parameter table, and the program's run
// with and without a readable parameter table.
#include <gtest/gtest.h>

#include <QApplication>
#include <QGuiApplication>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/about.h"
#include "app/mainform.h"
#include "app/program.h"
#include "base/datadir.h"
#include "base/messages.h"
#include "items/globvar.h"
#include "items/shoptables.h"
#include "items/windows/frminput.h"
#include "support/tempdir.h"
#include "tables/tables.h"

namespace {

namespace fs = std::filesystem;

class StartupTest : public ::testing::Test {
 protected:
  void SetUp() override { gComname = gPrtport = gPrtname = "stale"; }

  // Rewrites the param table to hold exactly these (company, port, type) rows.
  void SetParamRows(const std::vector<std::vector<std::string>>& rows) {
    items::CreateMissingTables(dir);
    tables::TTable param;
    param.SetDatabaseName(dir);
    param.SetTableName("param.DAT");
    param.Open();
    while (!param.IsEmpty()) param.Delete();
    for (const auto& row : rows) {
      param.Append();
      param.FieldByName("COMNAME").SetAsString(row[0]);
      param.FieldByName("PRTPORT").SetAsString(row[1]);
      param.FieldByName("PRTNAME").SetAsString(row[2]);
      param.Post();
    }
    param.Close();
  }

  testsupport::TTempDir temp;
  const std::string& dir = temp.Path();
};

TEST_F(StartupTest, ANewParamTableSelectsTheZebraJobOnLpt1) {
  items::CreateMissingTables(dir);
  LoadSettings(dir);
  EXPECT_EQ(gComname, "");
  EXPECT_EQ(gPrtport, "LPT1");
  EXPECT_EQ(gPrtname, "Z");
}

TEST_F(StartupTest, OnlyTheFirstRowIsLoadedAsItStands) {
  SetParamRows({{"Corner Shop", "com2", "z"}, {"Other", "LPT3", "E"}});
  LoadSettings(dir);
  EXPECT_EQ(gComname, "Corner Shop");
  EXPECT_EQ(gPrtport, "com2");
  EXPECT_EQ(gPrtname, "z");  // no change of case
}

TEST_F(StartupTest, AnEmptyParamTableLoadsEmptySettings) {
  SetParamRows({});
  LoadSettings(dir);
  EXPECT_EQ(gComname, "");
  EXPECT_EQ(gPrtport, "");
  EXPECT_EQ(gPrtname, "");
}

TEST_F(StartupTest, AMissingOrDamagedParamTableIsAnError) {
  EXPECT_THROW(LoadSettings(dir), tables::ETableError);
  EXPECT_FALSE(fs::exists(dir + "param.DAT"));  // the program never creates tables
  std::ofstream(dir + "param.DAT") << "this is not a table";
  EXPECT_THROW(LoadSettings(dir), tables::ETableError);
  EXPECT_EQ(gPrtname, "stale");
}

TEST_F(StartupTest, WithoutSettingsTheProgramEndsWithCode1AndNoWindow) {
  std::vector<std::string> messages;
  auto previous = platform::SetMessageHandler([&](const std::string& text) {
    messages.push_back(text);
    for (QWidget* window : QApplication::topLevelWidgets()) EXPECT_FALSE(window->isVisible());
  });
  EXPECT_EQ(RunProgram(dir), 1);
  platform::SetMessageHandler(previous);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("param"), std::string::npos) << messages[0];
}

TEST_F(StartupTest, WithSettingsTheFrameShowsMaximisedUntilClosed) {
  items::CreateMissingTables(dir);
  QString title;
  bool maximised = false;
  QTimer::singleShot(0, [&] {
    ASSERT_NE(MainForm, nullptr);
    title = MainForm->windowTitle();
    maximised = MainForm->isVisible() && MainForm->isMaximized();
    EXPECT_EQ(gPrtport, "LPT1");  // loaded before the loop ran
    MainForm->close();
  });
  EXPECT_EQ(RunProgram(dir), 0);
  EXPECT_EQ(title, "Barcode Printing Software  ");
  EXPECT_TRUE(maximised);
  EXPECT_EQ(MainForm, nullptr);
}

TEST_F(StartupTest, ClosingTheFrameEndsTheProgramFromANestedLoopWithOtherWindowsOpen) {
  items::CreateMissingTables(dir);
  const auto previous = platform::SetDataDirectory(dir);
  bool aboutReturned = false;
  QWidget ownedByTheApplication;  // as a print preview is: no owner, and still open
  QTimer::singleShot(0, [&] {
    ownedByTheApplication.show();
    MainForm->itemmaster->click();
    ASSERT_NE(items::frminput, nullptr);
    QTimer::singleShot(0, [] {
      ASSERT_NE(frmAbout, nullptr);
      MainForm->close();
    });
    MainForm->HelpAboutItemClick();  // a nested loop, which the close ends as well
    aboutReturned = true;
  });
  EXPECT_EQ(RunProgram(dir), 0);
  platform::SetDataDirectory(previous);
  EXPECT_TRUE(aboutReturned);
  EXPECT_EQ(items::frminput, nullptr);  // destroyed with the frame
  EXPECT_EQ(frmAbout, nullptr);
}

TEST(ApplicationSetUp, GivesMessageBoxesTheProgramsNameButNoCaptionSuffix) {
  const QString previous = QCoreApplication::applicationName();
  const auto messages = platform::SetMessageHandler({});
  SetUpApplication();
  platform::SetMessageHandler(messages);  // the tests' display, not the message box
  EXPECT_EQ(QGuiApplication::applicationDisplayName(), "Barcode Printing Software");
  // A display name of its own would stay; without one it follows the name.
  QCoreApplication::setApplicationName("probe");
  EXPECT_EQ(QGuiApplication::applicationDisplayName(), "probe");
  QCoreApplication::setApplicationName(previous);
}

}  // namespace
