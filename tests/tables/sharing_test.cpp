// Several cursors and several processes on one table: each sees the others'
// posted rows, edits of different fields merge, conflicting or vanished rows
// are refused clearly, and a held lock is retried and then reported.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "support.h"

namespace tables::test {
namespace {

using Clock = std::chrono::steady_clock;

class Sharing : public ::testing::Test {
 protected:
  void SetUp() override {
    MakeBarmas(Store.Database(), {{"100", "soap", "2.5"}, {"200", "rice", "10"}});
    A = OpenTable(Store.Database());
    B = OpenTable(Store.Database());
    A->SetIndexFieldNames("Fbarcode");
    B->SetIndexFieldNames("Fbarcode");
  }
  static std::string Get(TTable& t, const std::string& field) { return t.FieldByName(field).AsString(); }
  static void Set(TTable& t, const std::string& field, const std::string& value) {
    t.FieldByName(field).SetAsString(value);
  }
  static std::string ErrorOf(const std::function<void()>& action) {
    try {
      action();
    } catch (const ETableError& error) {
      return error.what();
    }
    return "";
  }
  TStore Store;
  std::unique_ptr<TTable> A;
  std::unique_ptr<TTable> B;
};

TEST_F(Sharing, CursorsSeeEachOthersPosts) {
  A->Append();
  Set(*A, "FBarcode", "300");
  Set(*A, "FName", "salt");
  A->Post();
  ASSERT_TRUE(B->FindKey({std::string("300")}));
  EXPECT_EQ(Get(*B, "FName"), "salt");
  B->Edit();
  Set(*B, "FName", "sea salt");
  B->Post();
  A->Refresh();
  EXPECT_EQ(Get(*A, "FName"), "sea salt");
  EXPECT_EQ(Walk(*A, "FBarcode"), (std::vector<std::string>{"100", "200", "300"}));
}

TEST_F(Sharing, EditReadsTheRowAfresh) {
  A->First();
  B->First();
  B->Edit();
  Set(*B, "FCost", "1.5");
  B->Post();
  A->Edit();  // A still showed the old row
  EXPECT_EQ(Get(*A, "FCost"), "1.5");
}

TEST_F(Sharing, EditsOfDifferentFieldsOfOneRowBothStay) {
  A->First();
  B->First();
  A->Edit();
  B->Edit();
  Set(*A, "FName", "soap bar");
  Set(*B, "FCost", "1.75");
  A->Post();
  B->Post();
  A->Refresh();
  EXPECT_EQ(Get(*A, "FName"), "soap bar");
  EXPECT_EQ(Get(*A, "FCost"), "1.75");
  EXPECT_EQ(Get(*A, "FSP"), "2.5");
}

TEST_F(Sharing, ConflictingEditOfOneFieldIsRefusedAndStaysPending) {
  A->First();
  B->First();
  A->Edit();
  B->Edit();
  Set(*A, "FName", "soap bar");
  Set(*B, "FName", "soap cake");
  A->Post();
  EXPECT_EQ(ErrorOf([&] { B->Post(); }),
            "Cannot post to table Barmas.DAT: another user changed FName of this row since it was read; cancel and "
            "edit it again");
  EXPECT_EQ(B->State(), TDataSetState::dsEdit);
  EXPECT_EQ(Get(*B, "FName"), "soap cake");
  B->Cancel();
  EXPECT_EQ(Get(*B, "FName"), "soap bar");
  // Writing the value the other user wrote is no conflict.
  B->Edit();
  A->Edit();
  Set(*A, "FName", "same");
  Set(*B, "FName", "same");
  A->Post();
  EXPECT_NO_THROW(B->Post());
}

TEST_F(Sharing, RowDeletedByAnotherUserGivesAClearError) {
  A->First();
  B->First();
  A->Edit();
  Set(*A, "FName", "soap bar");
  B->Delete();
  EXPECT_EQ(ErrorOf([&] { A->Post(); }), "Cannot post to table Barmas.DAT: the row was deleted by another user");
  EXPECT_EQ(A->State(), TDataSetState::dsEdit);
  A->Cancel();
  EXPECT_EQ(Get(*A, "FBarcode"), "200");  // moved on to the neighbour
  EXPECT_EQ(A->RecordCount(), 1);
}

TEST_F(Sharing, CursorOnAVanishedRowStillMoves) {
  A->Last();
  B->Last();
  B->Delete();
  EXPECT_EQ(ErrorOf([&] { A->Edit(); }), "Cannot edit table Barmas.DAT: the row was deleted by another user");
  EXPECT_EQ(A->State(), TDataSetState::dsBrowse);
  A->Prior();  // from where the row was
  EXPECT_EQ(Get(*A, "FBarcode"), "100");
  B->First();
  B->Delete();
  A->Refresh();
  EXPECT_TRUE(A->Eof());
  EXPECT_TRUE(A->Bof());
}

TEST_F(Sharing, EmptyCursorSeesRowsAfterRefresh) {
  TStore other;
  MakeBarmas(other.Database());
  auto reader = OpenTable(other.Database());
  auto writer = OpenTable(other.Database());
  writer->Append();
  Set(*writer, "FBarcode", "1");
  writer->Post();
  reader->Refresh();
  EXPECT_FALSE(reader->Eof());
  EXPECT_EQ(Get(*reader, "FBarcode"), "1");
}

// Another program holds the write lock for the whole test.
class SharingLocked : public Sharing {
 protected:
  void SetUp() override {
    Sharing::SetUp();
    Holder = Store.OtherUser();
    Holder->Exec(Store.HoldWriteLockSql());
    Holder->Exec(R"(INSERT INTO "Barmas" ("FBarcode") VALUES ('uncommitted'))");
    A->Append();
    Set(*A, "FBarcode", "300");
  }
  // Posts and returns the error and the seconds it took.
  std::pair<std::string, double> TimedPost() {
    const auto start = Clock::now();
    const std::string error = ErrorOf([&] { A->Post(); });
    return {error, std::chrono::duration<double>(Clock::now() - start).count()};
  }
  std::unique_ptr<TRawConnection> Holder;
};

TEST_F(SharingLocked, PostGivesUpAfterFifteenRetriesOfAHundredMilliseconds) {
  EXPECT_EQ(A->LockRetryCount(), 15);
  EXPECT_EQ(A->LockWaitTime(), 100);
  const auto [error, seconds] = TimedPost();
  EXPECT_EQ(error, "Table " + Store.LockedName() +
                       " is locked by another user (still locked after 15 waits of 100 ms)");
  EXPECT_GE(seconds, 1.45);
  EXPECT_EQ(A->State(), TDataSetState::dsInsert);  // nothing lost: post again later
  EXPECT_EQ(Get(*A, "FBarcode"), "300");
  Holder->Exec("ROLLBACK");
  A->Post();
  EXPECT_EQ(A->RecordCount(), 3);
}

TEST_F(SharingLocked, ShorterRetrySettingGivesUpSooner) {
  A->SetLockRetryCount(3);
  A->SetLockWaitTime(20);
  const auto [error, seconds] = TimedPost();
  EXPECT_EQ(error, "Table " + Store.LockedName() + " is locked by another user (still locked after 3 waits of 20 ms)");
  EXPECT_GE(seconds, 0.06);
  EXPECT_LT(seconds, 1.4);  // below the default 1.5 s
}

TEST_F(SharingLocked, LockFreedDuringTheRetriesLetsThePostThrough) {
  std::thread release([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(350));
    Holder->Exec("COMMIT");
  });
  const auto [error, seconds] = TimedPost();
  release.join();
  EXPECT_EQ(error, "");
  EXPECT_GE(seconds, 0.3);
  EXPECT_EQ(A->RecordCount(), 4);
}

TEST_F(SharingLocked, ReadersGoOnWhileAWriterHoldsTheLock) {
  EXPECT_TRUE(B->FindKey({std::string("200")}));
  EXPECT_FALSE(B->FindKey({std::string("uncommitted")}));
  EXPECT_EQ(Walk(*B, "FBarcode"), (std::vector<std::string>{"100", "200"}));
}

TEST_F(Sharing, IndexesAreLookedForWithoutWaitingForAnotherUsersLock) {
  const auto holder = Store.OtherUser();
  holder->Exec(R"(DROP INDEX "Barmas_FItcode")");
  const auto indexes = [&] {
    return holder->Column(Store.OnServer()
                              ? "SELECT indexname FROM pg_indexes WHERE tablename = 'Barmas' AND indexname <> 'Barmas_pkey' "
                                "ORDER BY indexname COLLATE \"C\""
                              : "SELECT name FROM sqlite_master WHERE type = 'index' ORDER BY name");
  };
  holder->Exec(Store.HoldWriteLockSql());
  holder->Exec(R"(INSERT INTO "Barmas" ("FBarcode") VALUES ('uncommitted'))");
  B->SetLockRetryCount(2);
  B->SetLockWaitTime(50);
  // The ones there need nothing written; the missing one is left for a later opening.
  for (const char* field : {"FBarcode", "FName", "FItcode"}) {
    EXPECT_EQ(ErrorOf([&] { B->AddMissingIndex(field); }), "") << field;
  }
  B->Edit();  // a write still waits as the cursor says, and then says why
  Set(*B, "FName", "soap bar");
  EXPECT_EQ(ErrorOf([&] { B->Post(); }),
            "Table " + Store.LockedName() + " is locked by another user (still locked after 2 waits of 50 ms)");
  holder->Exec("ROLLBACK");
  EXPECT_EQ(indexes(), (std::vector<std::string>{"Barmas_FBarcode", "Barmas_FName"}));
  B->AddMissingIndex("FItcode");
  EXPECT_EQ(indexes(), (std::vector<std::string>{"Barmas_FBarcode", "Barmas_FItcode", "Barmas_FName"}));
}

// Each process appends its rows and, meanwhile and afterwards, sets its own
// field on every row of both processes.
int WorkAsProcess(const std::string& directory, const std::string& prefix, const std::string& other,
                  const std::string& field) {
  constexpr int kRows = 200;
  auto table = OpenTable(directory);
  table->SetIndexFieldNames("FBarcode");
  auto code = [](const std::string& p, int i) { return p + std::to_string(1000 + i); };
  auto setOwnField = [&](const std::string& barcode, int value) {
    if (!table->FindKey({barcode})) return false;
    table->Edit();
    table->FieldByName(field).SetAsFloat(value);
    table->Post();
    return true;
  };
  for (int i = 0; i < kRows; ++i) {
    table->Append();
    table->FieldByName("FBarcode").SetAsString(code(prefix, i));
    table->FieldByName("FName").SetAsString("item " + code(prefix, i));
    table->Post();
    if (i % 2 == 1) setOwnField(code(prefix, i / 2), i / 2);
  }
  for (int i = 0; i < kRows; ++i) {
    if (i >= kRows / 2) setOwnField(code(prefix, i), i);
    const auto deadline = Clock::now() + std::chrono::seconds(60);
    while (!setOwnField(code(other, i), i)) {
      if (Clock::now() > deadline) return 3;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }
  return 0;
}

pid_t StartProcess(const std::function<int()>& work) {
  const pid_t pid = fork();
  if (pid == 0) {
    int status = 4;
    try {
      status = work();
    } catch (const std::exception& error) {
      fprintf(stderr, "child %d: %s\n", getpid(), error.what());
    }
    _exit(status);
  }
  return pid;
}

int ExitStatus(pid_t pid) {
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 100 + WTERMSIG(status);
}

TEST(SharingProcesses, TwoProcessesAppendingAndEditingLoseNothing) {
  TStore store;
  MakeBarmas(store.Database());
  const pid_t first = StartProcess([&] { return WorkAsProcess(store.Database(), "A", "B", "FSP"); });
  const pid_t second = StartProcess([&] { return WorkAsProcess(store.Database(), "B", "A", "FCost"); });
  ASSERT_GT(first, 0);
  ASSERT_GT(second, 0);
  EXPECT_EQ(ExitStatus(first), 0);
  EXPECT_EQ(ExitStatus(second), 0);

  auto table = OpenTable(store.Database());
  EXPECT_EQ(table->RecordCount(), 400);
  table->SetIndexFieldNames("FBarcode");
  for (const std::string prefix : {"A", "B"}) {
    for (int i = 0; i < 200; ++i) {
      const std::string barcode = prefix + std::to_string(1000 + i);
      ASSERT_TRUE(table->FindKey({barcode})) << barcode;
      EXPECT_EQ(table->FieldByName("FName").AsString(), "item " + barcode);
      EXPECT_EQ(table->FieldByName("FSP").AsFloat(), i) << barcode;
      EXPECT_EQ(table->FieldByName("FCost").AsFloat(), i) << barcode;
    }
  }
}

}  // namespace
}  // namespace tables::test
