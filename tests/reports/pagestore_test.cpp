// The page store: the saved report file's layout byte for byte, in memory up to 100,000
// bytes and then in a temporary "LRP" file deleted with the store, and a full disk that
// loses no page stored before.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

#include "graphics/tracecanvas.h"
#include "metafile/metafilecanvas.h"
#include "reports/pagestore.h"
#include "reports/reportfile.h"
#include "support/tempdir.h"

namespace reports {
namespace {

namespace fs = std::filesystem;

// A page whose picture says which page it is: n bars, so pictures differ in size too.
platform::TMetafile NumberedPage(int n) {
  platform::TTraceCanvas reference;
  platform::TMetafileCanvas recorder(reference, 816, 1056);
  recorder.Brush.SetColor(platform::clBlack);
  for (int bar = 0; bar < n % 40 + 1; ++bar) recorder.FillRect(platform::TRect{10 + 3 * bar, 10, 11 + 3 * bar, 100});
  return recorder.Finish();
}

// Each bar is one record; the rest of a picture's records are the same on every page.
int BarsOf(const platform::TMetafile& page) {
  static const int otherRecords = int(NumberedPage(0).Header().Records) - 1;  // page 0 has one bar
  return int(page.Header().Records) - otherRecords;
}

std::vector<uint8_t> AllBytes(const TPageStore& store) { return store.ReadBytes(0, size_t(store.Size())); }

TEST(PageStore, HeaderAndRecordsAreLaidOutAsTheReportFile) {
  TPageStore store;
  const double before = DateTimeNow();
  std::vector<platform::TMetafile> pages;
  for (int n = 1; n <= 3; ++n) {
    pages.push_back(NumberedPage(n));
    store.AddPage(pages.back());
  }
  const std::vector<uint8_t> bytes = AllBytes(store);
  ASSERT_GE(bytes.size(), 124u);
  EXPECT_EQ(ReadI16(&bytes[0]), 3);
  EXPECT_EQ(ReadI16(&bytes[2]), 304);
  EXPECT_EQ(bytes[21], 0) << "pages are stored uncompressed";
  EXPECT_GE(ReadDouble(&bytes[12]), before - 1e-6);

  // Forward through the second field of each record, page numbers from 1.
  size_t at = 124;
  for (int n = 1; n <= 3; ++n) {
    SCOPED_TRACE(n);
    ASSERT_LT(at + 8, bytes.size());
    EXPECT_EQ(ReadI32(&bytes[at]), n);
    const size_t next = size_t(ReadI32(&bytes[at + 4]));
    const std::vector<uint8_t>& picture = pages[size_t(n - 1)].Bytes();
    ASSERT_EQ(next, at + 8 + picture.size() + 4);
    EXPECT_EQ(std::memcmp(&bytes[at + 8], picture.data(), picture.size()), 0);
    EXPECT_EQ(size_t(ReadI32(&bytes[next - 4])), at) << "the record's final field points back to its start";
    at = next;
  }
  EXPECT_EQ(at, bytes.size());
  // The last page through the file's final four bytes.
  EXPECT_EQ(ReadI32(&bytes[size_t(ReadI32(&bytes[bytes.size() - 4]))]), 3);
}

TEST(PageStore, TheHeaderGetsTheFinalCountAndAFreshTimeAtTheEnd) {
  TPageStore store;
  store.AddPage(NumberedPage(1));
  std::vector<uint8_t> first = AllBytes(store);
  EXPECT_EQ(ReadI32(&first[8]), 1);
  for (int n = 2; n <= 5; ++n) store.AddPage(NumberedPage(n));
  store.Finish();
  std::vector<uint8_t> finished = AllBytes(store);
  EXPECT_EQ(ReadI32(&finished[8]), 5);
  EXPECT_GE(ReadDouble(&finished[12]), ReadDouble(&first[12]));
}

TEST(PageStore, PagesAreAvailableOnceStoredAndReadBackAsStored) {
  TPageStore store;
  std::vector<int> told;
  store.OnPageAvailable = [&](int pages) { told.push_back(pages); };
  EXPECT_FALSE(store.PageAvailable(1));
  EXPECT_THROW(store.Page(1), EPageStoreError);
  for (int n = 1; n <= 4; ++n) store.AddPage(NumberedPage(n));
  EXPECT_EQ(told, (std::vector<int>{1, 2, 3, 4}));
  EXPECT_FALSE(store.PageAvailable(0));
  EXPECT_TRUE(store.PageAvailable(4));
  EXPECT_FALSE(store.PageAvailable(5));
  for (int n = 1; n <= 4; ++n) EXPECT_EQ(BarsOf(store.Page(n)), n % 40 + 1);
}

// Many pages: the store moves to a temporary file once it passes 100,000 bytes, keeps
// every page readable, and the file goes with the store.
TEST(PageStore, ALongReportMovesToATemporaryFileDeletedWithTheStore) {
  std::string fileName;
  {
    TPageStore store;
    int n = 0;
    while (store.Size() <= TPageStore::MemoryLimit) {
      store.AddPage(NumberedPage(++n));
      if (store.Size() <= TPageStore::MemoryLimit) {
        EXPECT_FALSE(store.InFile()) << "page " << n;
      }
    }
    EXPECT_TRUE(store.InFile());
    for (int more = 0; more < 500; ++more) store.AddPage(NumberedPage(++n));
    store.Finish();
    fileName = store.FileName();
    EXPECT_EQ(fs::path(fileName).filename().string().substr(0, 3), "LRP");
    ASSERT_TRUE(fs::exists(fileName));
    EXPECT_EQ(fs::file_size(fileName), store.Size());
    EXPECT_EQ(store.PageCount(), n);
    for (int page : {1, 2, n / 2, n - 1, n}) EXPECT_EQ(BarsOf(store.Page(page)), page % 40 + 1) << page;
    EXPECT_EQ(ReadI32(store.ReadBytes(8, 4).data()), n);

    testsupport::TTempDir dir;
    store.SaveToFile(dir.File("copy.LRP"));
    std::ifstream copy(dir.File("copy.LRP"), std::ios::binary);
    std::vector<uint8_t> copied((std::istreambuf_iterator<char>(copy)), std::istreambuf_iterator<char>());
    EXPECT_EQ(copied, AllBytes(store));
  }
  EXPECT_FALSE(fs::exists(fileName));
}

// A reader on another thread (a preview) reads pages while they are appended.
TEST(PageStore, ReadingWhileAppendingSeesWholePagesOnly) {
  TPageStore store;
  constexpr int kPagesWritten = 1500;  // well past the move to the file
  std::atomic<bool> done{false};
  std::atomic<int> reads{0}, wrong{0};
  std::thread reader([&] {
    while (!done) {
      const int count = store.PageCount();
      if (count == 0) continue;
      if (BarsOf(store.Page(count)) != count % 40 + 1) ++wrong;
      ++reads;
    }
  });
  std::vector<platform::TMetafile> pages;
  for (int k = 0; k < 40; ++k) pages.push_back(NumberedPage(k));
  for (int n = 1; n <= kPagesWritten; ++n) store.AddPage(pages[size_t(n % 40)]);
  done = true;
  reader.join();
  EXPECT_TRUE(store.InFile());
  EXPECT_GT(reads.load(), 0);
  EXPECT_EQ(wrong.load(), 0);
}

// A full disk, made with a file size limit (and SIGXFSZ ignored, so writing fails with
// EFBIG instead of ending the process).
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &FSaved);
    FHandler = signal(SIGXFSZ, SIG_IGN);
    rlimit limit = FSaved;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &FSaved);
    signal(SIGXFSZ, FHandler);
  }

 private:
  rlimit FSaved{};
  sighandler_t FHandler;
};

TEST(PageStore, AFullDiskRaisesAClearErrorAndLosesNoStoredPage) {
  TPageStore store;
  int stored = 0;
  std::string message;
  {
    FileSizeLimit limit(150000);
    try {
      for (int n = 1; n < 100000; ++n) {
        store.AddPage(NumberedPage(n));
        stored = n;
      }
    } catch (const EPageStoreError& error) {
      message = error.what();
    }
  }
  ASSERT_FALSE(message.empty()) << "the store never failed";
  EXPECT_NE(message.find("Disk full"), std::string::npos) << message;
  EXPECT_NE(message.find("LRP"), std::string::npos) << message;
  EXPECT_TRUE(store.InFile());
  EXPECT_EQ(store.PageCount(), stored);
  for (int page = 1; page <= stored; ++page) ASSERT_EQ(BarsOf(store.Page(page)), page % 40 + 1) << page;
  EXPECT_EQ(fs::file_size(store.FileName()), store.Size()) << "no part of the failed page stays behind";
  store.AddPage(NumberedPage(stored + 1));  // room again: the store goes on
  EXPECT_EQ(BarsOf(store.Page(stored + 1)), (stored + 1) % 40 + 1);
}

// Temporary files go to a folder of the test's own while it lives.
class PrivateTempFolder {
 public:
  PrivateTempFolder() {
    const char* saved = std::getenv("TMPDIR");
    FSaved = saved ? saved : "";
    FHadValue = saved != nullptr;
    setenv("TMPDIR", FDir.Folder().c_str(), 1);
  }
  ~PrivateTempFolder() {
    if (FHadValue)
      setenv("TMPDIR", FSaved.c_str(), 1);
    else
      unsetenv("TMPDIR");
  }
  bool Empty() const { return fs::is_empty(FDir.Folder()); }

 private:
  testsupport::TTempDir FDir;
  std::string FSaved;
  bool FHadValue = false;
};

// The move itself failing leaves the pages in memory and no file behind.
TEST(PageStore, AFailedMoveToTheFileKeepsThePagesInMemory) {
  PrivateTempFolder temp;
  TPageStore store;
  int stored = 0;
  bool failed = false;
  {
    FileSizeLimit limit(1000);
    try {
      for (int n = 1; n < 100000; ++n) {
        store.AddPage(NumberedPage(n));
        stored = n;
      }
    } catch (const EPageStoreError&) {
      failed = true;
    }
  }
  ASSERT_TRUE(failed);
  EXPECT_FALSE(store.InFile());
  EXPECT_EQ(store.PageCount(), stored);
  EXPECT_GT(store.Size(), 0u);
  EXPECT_LE(store.Size(), TPageStore::MemoryLimit);
  EXPECT_EQ(BarsOf(store.Page(stored)), stored % 40 + 1);
  EXPECT_TRUE(temp.Empty()) << "a half-made temporary file stayed";
}

// Saved files that load back: a store without pages, and the store's own files.
TEST(PageStoreSave, AFileItLoadsOrAClearRefusal) {
  testsupport::TTempDir dir;
  TPageStore empty;
  empty.Finish();
  empty.SaveToFile(dir.File("empty.LRP"));
  TPageStore loaded;
  loaded.LoadFromFile(dir.File("empty.LRP"));
  EXPECT_EQ(loaded.PageCount(), 0) << "no pages, but a report file";

  TPageStore big;  // large enough to live in its temporary file
  for (int n = 1; !big.InFile(); ++n) big.AddPage(NumberedPage(n));
  big.Finish();
  const std::vector<uint8_t> bytes = AllBytes(big);
  try {
    big.SaveToFile(big.FileName());
    ADD_FAILURE() << "saved onto its own temporary file";
  } catch (const EPageStoreError& error) {
    EXPECT_EQ(std::string(error.what()), "Cannot save the report onto its own page file " + big.FileName());
  }
  EXPECT_EQ(AllBytes(big), bytes) << "nothing of it truncated";

  big.SaveToFile(dir.File("big.LRP"));
  loaded.LoadFromFile(dir.File("big.LRP"));
  loaded.SaveToFile(dir.File("big.LRP"));  // the loaded file itself: it already holds these bytes
  EXPECT_EQ(AllBytes(loaded), bytes);
  EXPECT_EQ(loaded.PageCount(), big.PageCount());
}

}  // namespace
}  // namespace reports
