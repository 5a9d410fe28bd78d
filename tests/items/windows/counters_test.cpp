// Two counters of one shop on one private server: each a program process of its own
// (item_counter) with the item window open offscreen and a connection of its own,
// driven through pipes as its operator drives it. What one saves appears in the
// other's open grid, a row edited at both is saved once and refused once, and two
// counters saving at the same moment lose nothing.
#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QProcess>
#include <filesystem>
#include <fstream>

#include "items/shoptables.h"
#include "support/ci.h"
#include "tables/support.h"

namespace items::test {
namespace {

using TLines = std::vector<std::string>;

testsupport::TPrivatePostgres& Server() {
  static testsupport::TPrivatePostgres server;
  return server;
}

std::vector<std::string> ServerColumn(const std::string& sql) {
  return tables::test::TRawConnection::ToServer(Server().SocketLine())->Column(sql);
}

// One counter: a data directory of its own whose item table is on the server.
class TCounter {
 public:
  TCounter() {
    std::filesystem::create_directory(FDir.File("databases"));
    std::ofstream(FDir.File("databases/tavrin.uri")) << Server().SocketLine() << "\n";
    CreateMissingTables(FDir.Path());  // as mktables does: the table on the server, param.DAT here
    FProcess.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    FProcess.start(COUNTER_FILE, {QString::fromStdString(FDir.Path())});
  }
  ~TCounter() {
    FProcess.closeWriteChannel();  // the end of its input closes the window
    if (!FProcess.waitForFinished(kAnswerMilliseconds)) FProcess.kill();
    FProcess.waitForFinished();
    EXPECT_EQ(FProcess.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(FProcess.exitCode(), 0);
  }
  TCounter(const TCounter&) = delete;
  TCounter& operator=(const TCounter&) = delete;

  // Written through at once: QProcess would otherwise hold it until this counter's answer is awaited.
  void Send(const std::string& command) {
    FProcess.write((command + "\n").c_str());
    EXPECT_TRUE(FProcess.waitForBytesWritten(kAnswerMilliseconds)) << command;
  }
  // What it wrote up to its "done"; what it wrote so far when it does not come.
  TLines Answer() {
    TLines lines;
    const QDeadlineTimer deadline(kAnswerMilliseconds);
    while (!deadline.hasExpired()) {
      if (!FProcess.canReadLine() && !FProcess.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) break;
      while (FProcess.canReadLine()) {
        const std::string line = FProcess.readLine().trimmed().toStdString();
        if (line == "done") return lines;
        lines.push_back(line);
      }
    }
    lines.push_back("no answer");
    return lines;
  }
  TLines Run(const std::string& command) {
    Send(command);
    return Answer();
  }

 private:
  // Two thousand rows typed in under the sanitizers still come well inside it.
  static constexpr int kAnswerMilliseconds = 300000;
  testsupport::TTempDir FDir;
  QProcess FProcess;
};

class Counters : public ::testing::Test {
 protected:
  void SetUp() override {
    SKIP_OR_FAIL_WHEN_MISSING(Server().Failure());
    tables::test::TRawConnection::ToServer(Server().SocketLine())->Exec("DROP TABLE IF EXISTS \"Barmas\"");
    for (auto* counter : {&First, &Second}) {
      *counter = std::make_unique<TCounter>();
      ASSERT_EQ((*counter)->Answer(), TLines{});  // its window is open, with nothing to tell
    }
  }
  std::unique_ptr<TCounter> First;
  std::unique_ptr<TCounter> Second;
};

TEST_F(Counters, AnItemSavedAtOneAppearsInTheOthersOpenGrid) {
  EXPECT_EQ(First->Run("append 4006381333931 Milk"), TLines{});
  EXPECT_EQ(Second->Run("wait-grid 4006381333931"), TLines{"shown"});
  std::filesystem::create_directories(SCREENSHOT_DIR);
  EXPECT_EQ(Second->Run("grab " SCREENSHOT_DIR "/counter-sees-other.png"), TLines{});
}

TEST_F(Counters, TheSameRowEditedAtBothIsSavedOnceAndRefusedOnceKeepingWhatWasTyped) {
  ASSERT_EQ(First->Run("append 4006381333931 Milk"), TLines{});
  ASSERT_EQ(Second->Run("wait-grid 4006381333931"), TLines{"shown"});
  EXPECT_EQ(First->Run("edit 4006381333931 Milk 1L"), TLines{});
  EXPECT_EQ(Second->Run("edit 4006381333931 Oat milk"), TLines{});
  EXPECT_EQ(First->Run("post"), TLines{});
  EXPECT_EQ(Second->Run("post"),
            TLines{"message Cannot post to table Barmas.DAT: another user changed FName of this row since it was "
                   "read; cancel and edit it again"});
  const TLines fields = Second->Run("fields");
  EXPECT_EQ(fields.front(), "field FName Oat milk");
  EXPECT_EQ(fields.back(), "pending");
  EXPECT_EQ(ServerColumn("SELECT \"FName\" FROM \"Barmas\""), TLines{"Milk 1L"});
}

TEST_F(Counters, TwoCountersSavingAThousandItemsEachAtOnceLoseNone) {
  First->Send("post-many 1 1000");
  Second->Send("post-many 2 1000");
  EXPECT_EQ(First->Answer(), TLines{});
  EXPECT_EQ(Second->Answer(), TLines{});
  EXPECT_EQ(ServerColumn("SELECT count(*) || '/' || count(DISTINCT \"FBarcode\") FROM \"Barmas\""),
            TLines{"2000/2000"});
  // In the order they were stored the two counters' rows take turns: they were saved at the same time.
  const TLines turns = ServerColumn(
      "SELECT count(*) FROM (SELECT left(\"FBarcode\", 1) <> lag(left(\"FBarcode\", 1)) OVER (ORDER BY rowid) AS "
      "turn FROM \"Barmas\") AS rows WHERE turn");
  EXPECT_GT(std::stoi(turns.front()), 1);
  for (auto* counter : {&First, &Second}) EXPECT_EQ((*counter)->Run("wait-rows 2000"), TLines{"shown"});
}

}  // namespace
}  // namespace items::test
