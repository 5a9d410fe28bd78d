// A server that goes away under the cursor: stopped hard during a stream of posts,
// and a commit whose answer is cut off, whether the server stored it or not. Nothing
// acknowledged is lost, nothing is stored twice, and the cursor reconnects by itself.
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <thread>

#include "support.h"
#include "support/ci.h"

namespace tables::test {
namespace {

using namespace std::chrono_literals;

std::string PostError(TTable& table) {
  try {
    table.Post();
  } catch (const ETableError& error) {
    return error.what();
  }
  return "";
}

void Wait(const std::function<bool()>& done) {
  const auto deadline = std::chrono::steady_clock::now() + 30s;
  while (!done() && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(20ms);
}

class ServerFaults : public ::testing::Test {
 protected:
  void SetUp() override {
    SKIP_OR_FAIL_WHEN_MISSING(Server.Failure());
    std::filesystem::create_directory(Dir.File("databases"));
    // Over TCP, so the cursor's socket is told apart from the test's own Unix socket.
    std::ofstream(Dir.File("databases/faults.uri")) << Server.TcpLine() << "\n";
    Database.SetDirectory(Dir.Path());
    Database.Open();
    MakeBarmas("faults");
    Cursor = OpenTable("faults");
  }
  std::unique_ptr<TRawConnection> Raw() const { return TRawConnection::ToServer(Server.SocketLine()); }
  std::vector<std::string> Barcodes() const {
    return Raw()->Column("SELECT \"FBarcode\" FROM \"Barmas\" ORDER BY \"FBarcode\"");
  }
  void AppendItem(const std::string& barcode) {
    Cursor->Append();
    Cursor->FieldByName("FBarcode").SetAsString(barcode);
    Cursor->FieldByName("FName").SetAsString("item " + barcode);
  }

  testsupport::TPrivatePostgres Server;
  TTempDir Dir;
  TDatabase Database{"faults"};
  std::unique_ptr<TTable> Cursor;
};

TEST_F(ServerFaults, HardStopDuringPostsKeepsEveryAcknowledgedPostAndTheNextPostReconnects) {
  std::atomic<int> posted{0};
  std::thread stopper([&] {
    Wait([&] { return posted >= 25; });
    Server.Stop("immediate");
  });
  std::set<std::string> acknowledged;
  std::string error;
  for (int i = 1000; i < 100000; ++i) {
    AppendItem(std::to_string(i));
    error = PostError(*Cursor);
    if (!error.empty()) break;
    acknowledged.insert(std::to_string(i));
    ++posted;
  }
  stopper.join();
  EXPECT_TRUE(error.starts_with("Lost the connection to the table server (") ||
              error.starts_with("Cannot reach the table server ("))
      << error;
  ASSERT_EQ(Cursor->State(), TDataSetState::dsInsert);  // the pending row stays
  const std::string pending = Cursor->FieldByName("FBarcode").AsString();

  Server.Start();
  ASSERT_EQ(Server.Failure(), "");
  EXPECT_EQ(PostError(*Cursor), "");  // the next action connects again
  acknowledged.insert(pending);
  const auto stored = Barcodes();
  std::vector<std::string> lost;
  std::ranges::set_difference(acknowledged, stored, std::back_inserter(lost));
  EXPECT_EQ(lost, std::vector<std::string>{}) << "acknowledged but not stored; error: " << error;
  EXPECT_EQ(stored.size(), acknowledged.size()) << "stored twice or never posted; error: " << error;
}

// Closes the test process's TCP connections to the server, as a pulled cable would,
// while the server itself goes on.
void CutClientConnections(int serverPort) {
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
    const int fd = std::stoi(entry.path().filename().string());
    sockaddr_in peer{};
    socklen_t size = sizeof peer;
    if (getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &size) == 0 && peer.sin_family == AF_INET &&
        ntohs(peer.sin_port) == serverPort)
      shutdown(fd, SHUT_RDWR);
  }
}

struct TCutCase {
  const char* Name;
  bool Stored;  // whether the server finished the commit the cursor lost
};

std::ostream& operator<<(std::ostream& out, const TCutCase& c) { return out << c.Name; }

class CutCommit : public ServerFaults, public ::testing::WithParamInterface<TCutCase> {};

// The commit waits in a deferred trigger, so the connection can be cut while it runs:
// the cable pulled (the server goes on and stores the row) or the server stopped hard
// (the row is lost with it). Either way the next post stores the row exactly once.
TEST_P(CutCommit, IsReportedAsUnknownAndTheNextPostStoresTheRowOnce) {
  Raw()->Exec(
      "CREATE FUNCTION slow_commit() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN PERFORM pg_sleep(2); "
      "RETURN NULL; END $$; CREATE CONSTRAINT TRIGGER slow AFTER INSERT ON \"Barmas\" DEFERRABLE INITIALLY "
      "DEFERRED FOR EACH ROW EXECUTE FUNCTION slow_commit()");
  std::thread cutter([&] {
    Wait([&] { return !Raw()->Column("SELECT 1 FROM pg_stat_activity WHERE wait_event = 'PgSleep'").empty(); });
    GetParam().Stored ? CutClientConnections(Server.Port()) : Server.Stop("immediate");
  });
  AppendItem("4006381333931");
  const std::string error = PostError(*Cursor);
  cutter.join();
  EXPECT_NE(error.find("while a change was committed; whether it was stored is not known until the server answers "
                       "again; posting again then stores the row once"),
            std::string::npos)
      << error;
  ASSERT_EQ(Cursor->State(), TDataSetState::dsInsert);

  if (GetParam().Stored) {
    Wait([&] { return Barcodes().size() == 1; });  // the cut-off session's commit ends
  } else {
    EXPECT_NE(PostError(*Cursor), "");  // still down: still pending, still unsettled
    Server.Start();
    ASSERT_EQ(Server.Failure(), "");
  }
  Cursor->FieldByName("FName").SetAsString("typed after the cut");
  EXPECT_EQ(PostError(*Cursor), "");
  EXPECT_EQ(Barcodes(), std::vector<std::string>{"4006381333931"});
  EXPECT_EQ(Raw()->Column("SELECT \"FName\" FROM \"Barmas\""), std::vector<std::string>{"typed after the cut"});
  EXPECT_EQ(Cursor->State(), TDataSetState::dsBrowse);
}

INSTANTIATE_TEST_SUITE_P(Cuts, CutCommit,
                         ::testing::Values(TCutCase{"CablePulledAfterTheServerStoredIt", true},
                                           TCutCase{"ServerStoppedBeforeItStoredIt", false}),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace tables::test
