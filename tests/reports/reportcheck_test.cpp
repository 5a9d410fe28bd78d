// Saved report files: a store saved and loaded back byte for byte, read also by a reader
// of this test's own written from the file's layout; and damaged or cut files refused
// with a message naming the file while the pages shown before stay.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>

#include "reports/pagestore.h"
#include "reports/reportcheck.h"
#include "reports/reportfile.h"
#include "support/tempdir.h"
#include "reports/support/previewpages.h"

namespace reports {
namespace {

namespace fs = std::filesystem;
using previewtest::FileBytes;
using previewtest::NumberedPage;
using previewtest::WriteBytes;

int32_t I32At(const std::vector<uint8_t>& bytes, size_t at) {
  int32_t value;
  std::memcpy(&value, bytes.data() + at, 4);
  return value;
}

void PutI32(std::vector<uint8_t>& bytes, size_t at, int32_t value) { std::memcpy(bytes.data() + at, &value, 4); }

// The file read as its layout says, without the program's loader: returns the start of
// each record after checking every offset, forward and backward.
std::vector<size_t> IndependentRecordStarts(const std::vector<uint8_t>& file) {
  std::vector<size_t> starts;
  EXPECT_GE(file.size(), 124u);
  EXPECT_EQ(file[0] | file[1] << 8, 3);
  EXPECT_EQ(file[2] | file[3] << 8, 304);
  EXPECT_EQ(file[21], 0);
  const int32_t pages = I32At(file, 8);
  size_t at = 124;
  for (int32_t page = 1; page <= pages; ++page) {
    EXPECT_EQ(I32At(file, at), page);
    const size_t next = size_t(I32At(file, at + 4));
    const uint32_t emfBytes = uint32_t(I32At(file, at + 8 + 48));  // the EMF header's nBytes
    EXPECT_EQ(next, at + 8 + emfBytes + 4) << "page " << page;
    EXPECT_EQ(size_t(I32At(file, next - 4)), at) << "page " << page;
    starts.push_back(at);
    at = next;
  }
  EXPECT_EQ(at, file.size());
  // The last page is found through the file's final four bytes as well.
  if (pages > 0) {
    EXPECT_EQ(size_t(I32At(file, file.size() - 4)), starts.back());
  }
  return starts;
}

class ReportFile : public testing::Test {
 protected:
  void SetUp() override {
    for (int n = 1; n <= 3; ++n) {
      pages.push_back(NumberedPage(n));
      saved.AddPage(pages.back());
    }
    saved.Finish();
    path = dir.File("three.LRP");
    saved.SaveToFile(path);
    file = FileBytes(path);
    // The store a preview shows before it loads: two pages of its own.
    shown.AddPage(NumberedPage(7));
    shown.AddPage(NumberedPage(8));
  }

  void ExpectShownPagesKept() {
    ASSERT_EQ(shown.PageCount(), 2);
    EXPECT_EQ(shown.Page(1).Bytes(), NumberedPage(7).Bytes());
    EXPECT_EQ(shown.Page(2).Bytes(), NumberedPage(8).Bytes());
    EXPECT_FALSE(shown.Loaded());
  }

  testsupport::TTempDir dir;
  TPageStore saved;
  TPageStore shown;
  std::vector<platform::TMetafile> pages;
  std::string path;
  std::vector<uint8_t> file;
};

TEST_F(ReportFile, SavedFileIsTheStoreByteForByteAndReadsByItsLayout) {
  EXPECT_EQ(file, saved.ReadBytes(0, size_t(saved.Size())));
  const std::vector<size_t> starts = IndependentRecordStarts(file);
  ASSERT_EQ(starts.size(), 3u);
  for (size_t i = 0; i < starts.size(); ++i) {
    const std::vector<uint8_t> emf(file.begin() + ptrdiff_t(starts[i] + 8),
                                   file.begin() + ptrdiff_t(starts[i] + 8 + pages[i].Bytes().size()));
    EXPECT_EQ(emf, pages[i].Bytes()) << "page " << i + 1;
  }
}

TEST_F(ReportFile, LoadedFileGivesBackEveryPageAndSavesToTheSameBytes) {
  shown.LoadFromFile(path);
  EXPECT_TRUE(shown.Loaded());
  ASSERT_EQ(shown.PageCount(), 3);
  for (int n = 1; n <= 3; ++n) EXPECT_EQ(shown.Page(n).Bytes(), pages[size_t(n - 1)].Bytes()) << n;
  const std::string again = dir.File("again.LRP");
  shown.SaveToFile(again);
  EXPECT_EQ(FileBytes(again), file);
  // A cancelled generation's last page does not reach the loaded file, nor does its end.
  shown.AddPage(NumberedPage(1));
  shown.Finish();
  EXPECT_EQ(shown.PageCount(), 3);
  EXPECT_EQ(FileBytes(path), file);
}

TEST_F(ReportFile, LoadingReplacesTheTemporaryFileAndLeavesTheLoadedOneAlone) {
  auto big = std::make_unique<TPageStore>();
  while (!big->InFile()) big->AddPage(NumberedPage(30));
  const std::string temporary = big->FileName();
  ASSERT_TRUE(fs::exists(temporary));
  big->LoadFromFile(path);
  EXPECT_FALSE(fs::exists(temporary)) << "the job's old temporary file is deleted";
  EXPECT_EQ(big->PageCount(), 3);
  big.reset();
  EXPECT_EQ(FileBytes(path), file) << "the loaded file outlives the store, unchanged";
}

TEST_F(ReportFile, ZeroPagesIsAHeaderAlone) {
  std::vector<uint8_t> empty(file.begin(), file.begin() + 124);
  PutI32(empty, 8, 0);
  WriteBytes(dir.File("empty.LRP"), empty);
  shown.LoadFromFile(dir.File("empty.LRP"));
  EXPECT_EQ(shown.PageCount(), 0);
}

// Each damage made to the good file of three pages, and the reason given for it.
struct TDamage {
  const char* What;
  std::function<void(std::vector<uint8_t>&, const std::vector<size_t>& starts)> Apply;
  const char* Reason;  // null: any reason will do
};

TEST_F(ReportFile, DamagedFilesAreRefusedAndTheShownPagesStay) {
  const std::vector<size_t> starts = IndependentRecordStarts(file);
  const TDamage damages[] = {
      {"empty file", [](auto& b, auto&) { b.clear(); }, "shorter than its header"},
      {"header cut", [](auto& b, auto&) { b.resize(100); }, "shorter than its header"},
      {"another format", [](auto& b, auto&) { b[0] = 'P'; }, "unknown header"},
      {"another version", [](auto& b, auto&) { b[2] = 0; }, "unknown header"},
      {"negative page count", [](auto& b, auto&) { PutI32(b, 8, -1); }, "negative page count"},
      {"page count beyond the file", [](auto& b, auto&) { PutI32(b, 8, 0x7fffffff); }, "more pages than the file holds"},
      {"one page more than stored", [](auto& b, auto&) { PutI32(b, 8, 4); }, "cut short"},
      {"one page fewer than stored", [](auto& b, auto&) { PutI32(b, 8, 2); }, "bytes follow the last page"},
      {"last record cut", [](auto& b, auto&) { b.pop_back(); }, "page 3 has a bad length"},
      {"cut inside page 2", [](auto& b, auto& s) { b.resize(s[1] + 20); }, nullptr},
      {"pages out of order", [](auto& b, auto& s) { PutI32(b, s[1], 3); }, "page 2 is out of order"},
      {"forward offset past the end", [](auto& b, auto& s) { PutI32(b, s[0] + 4, int32_t(b.size() + 8)); },
       "page 1 has a bad length"},
      {"forward offset backwards", [](auto& b, auto& s) { PutI32(b, s[1] + 4, int32_t(s[0])); }, "page 2 has a bad length"},
      {"forward offset short of the picture",
       [](auto& b, auto& s) { PutI32(b, s[0] + 4, I32At(b, s[0] + 4) - 4); }, "does not match its picture's size"},
      {"backward offset wrong", [](auto& b, auto& s) { PutI32(b, s[1] - 4, 0); }, "page 1 has a bad backward offset"},
      {"no picture in the record", [](auto& b, auto& s) { PutI32(b, s[2] + 8, 70); }, "page 3 holds no page picture"},
      {"picture size changed", [](auto& b, auto& s) { PutI32(b, s[0] + 8 + 48, I32At(b, s[0] + 8 + 48) + 4); },
       "does not match its picture's size"},
      // The picture's own records: its first record after the header claims more bytes than it has.
      {"picture record damaged", [](auto& b, auto& s) {
         const size_t emf = s[1] + 8, firstRecord = emf + size_t(I32At(b, emf + 4));
         PutI32(b, firstRecord + 4, 0x100000);
       }, "page 2"},
      {"bytes after the last page", [](auto& b, auto&) { b.insert(b.end(), 16, 0); }, "bytes follow the last page"},
  };
  for (const TDamage& damage : damages) {
    SCOPED_TRACE(damage.What);
    std::vector<uint8_t> bytes = file;
    damage.Apply(bytes, starts);
    const std::string damaged = dir.File("damaged.LRP");
    WriteBytes(damaged, bytes);
    try {
      shown.LoadFromFile(damaged);
      ADD_FAILURE() << "loaded";
    } catch (const EReportFileError& error) {
      const std::string message = error.what();
      EXPECT_NE(message.find(damaged + " is not a valid report file"), std::string::npos) << message;
      if (damage.Reason) {
        EXPECT_NE(message.find(damage.Reason), std::string::npos) << message;
      }
    }
    ExpectShownPagesKept();
  }
}

// Every length the file can be cut to is refused, none crashes or is taken for whole.
TEST_F(ReportFile, EveryTruncationIsRefused) {
  const std::string cut = dir.File("cut.LRP");
  for (size_t length = 0; length < file.size(); length += 7) {
    WriteBytes(cut, std::vector<uint8_t>(file.begin(), file.begin() + ptrdiff_t(length)));
    EXPECT_THROW(shown.LoadFromFile(cut), EReportFileError) << length;
  }
  ExpectShownPagesKept();
}

TEST_F(ReportFile, MissingFileAndFolderAreErrorsOfTheirOwn) {
  EXPECT_THROW(shown.LoadFromFile(dir.File("none.LRP")), std::exception);
  EXPECT_THROW(shown.LoadFromFile(dir.Folder().string()), std::exception);
  ExpectShownPagesKept();
}

}  // namespace
}  // namespace reports
