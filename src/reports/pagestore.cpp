#include "reports/pagestore.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

#include "base/ioerror.h"
#include "reports/reportcheck.h"
#include "reports/reportfile.h"

namespace reports {
namespace {

constexpr const char* kTempPrefix = "LRP";

std::string TempFileFailure(const std::string& path, int osError) {
  return "Cannot write the report's page file " + path + ": " + platform::IOErrorText(osError);
}

void WriteAllAt(int fd, uint64_t offset, const std::vector<uint8_t>& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = pwrite(fd, bytes.data() + done, bytes.size() - done, off_t(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) throw platform::EInOutError(n < 0 ? errno : ENOSPC);
    done += size_t(n);
  }
}

}  // namespace

TPageStore::TPageStore() = default;

TPageStore::~TPageStore() {
  if (FFile >= 0) {
    close(FFile);
    if (FOwnsFile) unlink(FFileName.c_str());
  }
}

void TPageStore::AddPage(const platform::TMetafile& page) {
  int stored;
  {
    std::lock_guard guard(FLock);
    // The operator loaded a file over the pages of a generation that was still running:
    // its last page, finished after the cancel, has nowhere to go.
    if (!FOwnsFile) return;
    std::vector<uint8_t> bytes;
    if (FRecordStarts.empty()) {
      FCreated = DateTimeNow();
      bytes = ReportHeader(1, FCreated);
    }
    const uint64_t start = FSize + bytes.size();
    std::vector<uint8_t> record = PageRecord(int32_t(FRecordStarts.size() + 1), start, page.Bytes());
    bytes.insert(bytes.end(), record.begin(), record.end());
    AppendLocked(bytes);
    FRecordStarts.push_back(start);
    stored = int(FRecordStarts.size());
  }
  if (OnPageAvailable) OnPageAvailable(stored);
}

void TPageStore::AppendLocked(const std::vector<uint8_t>& bytes) {
  if (FFile < 0 && FSize + bytes.size() <= MemoryLimit) {
    FMemory.insert(FMemory.end(), bytes.begin(), bytes.end());
    FSize += bytes.size();
    return;
  }
  if (FFile < 0) {
    MoveToFileLocked(bytes);
    return;
  }
  try {
    WriteAllAt(FFile, FSize, bytes);
  } catch (const platform::EInOutError& error) {
    // Cut off what part of the record reached the file. Should that fail too, no harm:
    // reads go by the stored size, and the next page is written over the remains.
    [[maybe_unused]] int ignored = ftruncate(FFile, off_t(FSize));
    throw EPageStoreError(TempFileFailure(FFileName, error.OSError()));
  }
  FSize += bytes.size();
}

void TPageStore::MoveToFileLocked(const std::vector<uint8_t>& pending) {
  std::string pattern = (std::filesystem::temp_directory_path() / (std::string(kTempPrefix) + "XXXXXX")).string();
  int fd = mkstemp(pattern.data());
  if (fd < 0) throw EPageStoreError(TempFileFailure(pattern, errno));
  try {
    WriteAllAt(fd, 0, FMemory);
    WriteAllAt(fd, FMemory.size(), pending);
  } catch (const platform::EInOutError& error) {
    close(fd);
    unlink(pattern.c_str());  // the pages stay in memory as they were
    throw EPageStoreError(TempFileFailure(pattern, error.OSError()));
  }
  FFile = fd;
  FFileName = pattern;
  FSize = FMemory.size() + pending.size();
  FMemory.clear();
  FMemory.shrink_to_fit();
}

void TPageStore::Finish() {
  std::lock_guard guard(FLock);
  if (FRecordStarts.empty() || !FOwnsFile) return;  // a loaded file is read-only and complete
  WriteAtLocked(0, ReportHeader(int32_t(FRecordStarts.size()), DateTimeNow()));
}

void TPageStore::WriteAtLocked(uint64_t offset, const std::vector<uint8_t>& bytes) {
  if (FFile < 0) {
    std::copy(bytes.begin(), bytes.end(), FMemory.begin() + ptrdiff_t(offset));
    return;
  }
  try {
    WriteAllAt(FFile, offset, bytes);
  } catch (const platform::EInOutError& error) {
    throw EPageStoreError(TempFileFailure(FFileName, error.OSError()));
  }
}

std::vector<uint8_t> TPageStore::ReadLocked(uint64_t offset, size_t count) const {
  if (offset > FSize || count > FSize - offset) throw EPageStoreError("Read beyond the end of the report's pages");
  if (FFile < 0) return {FMemory.begin() + ptrdiff_t(offset), FMemory.begin() + ptrdiff_t(offset + count)};
  std::vector<uint8_t> bytes(count);
  size_t done = 0;
  while (done < count) {
    ssize_t n = pread(FFile, bytes.data() + done, count - done, off_t(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) throw EPageStoreError("Cannot read the report's page file " + FFileName + ": " +
                                      platform::IOErrorText(n < 0 ? errno : EIO));
    done += size_t(n);
  }
  return bytes;
}

int TPageStore::PageCount() const {
  std::lock_guard guard(FLock);
  return int(FRecordStarts.size());
}

bool TPageStore::PageAvailable(int pageNumber) const {
  std::lock_guard guard(FLock);
  return pageNumber > 0 && size_t(pageNumber) <= FRecordStarts.size();
}

platform::TMetafile TPageStore::Page(int pageNumber) const {
  std::vector<uint8_t> picture;
  {
    std::lock_guard guard(FLock);
    if (pageNumber <= 0 || size_t(pageNumber) > FRecordStarts.size())
      throw EPageStoreError("Page " + std::to_string(pageNumber) + " is not available");
    const uint64_t start = FRecordStarts[size_t(pageNumber - 1)];
    std::vector<uint8_t> front = ReadLocked(start, PageRecordFrontSize);
    const uint64_t end = uint64_t(ReadI32(front.data() + 4));
    picture = ReadLocked(start + PageRecordFrontSize, size_t(end - start - PageRecordFrontSize - PageRecordBackSize));
  }
  return platform::TMetafile::FromBytes(std::move(picture));
}

uint64_t TPageStore::Size() const {
  std::lock_guard guard(FLock);
  return FSize;
}

bool TPageStore::InFile() const {
  std::lock_guard guard(FLock);
  return FFile >= 0;
}

std::string TPageStore::FileName() const {
  std::lock_guard guard(FLock);
  return FFileName;
}

std::vector<uint8_t> TPageStore::ReadBytes(uint64_t offset, size_t count) const {
  std::lock_guard guard(FLock);
  return ReadLocked(offset, count);
}

void TPageStore::LoadFromFile(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw platform::EInOutError(errno);
  std::vector<uint64_t> starts;
  struct stat info {};
  try {
    if (fstat(fd, &info) != 0) throw platform::EInOutError(errno);
    if (!S_ISREG(info.st_mode)) throw EReportFileError(path + " is not a valid report file (not a regular file)");
    starts = IndexReportFile(path, uint64_t(info.st_size), [fd, &path](uint64_t offset, size_t count) {
      std::vector<uint8_t> bytes(count);
      size_t done = 0;
      while (done < count) {
        ssize_t n = pread(fd, bytes.data() + done, count - done, off_t(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw EReportFileError("Cannot read " + path + ": " + platform::IOErrorText(errno));
        if (n == 0) break;
        done += size_t(n);
      }
      bytes.resize(done);
      return bytes;
    });
  } catch (...) {
    close(fd);
    throw;
  }
  std::lock_guard guard(FLock);
  if (FFile >= 0) {
    close(FFile);
    if (FOwnsFile) unlink(FFileName.c_str());
  }
  FMemory.clear();
  FMemory.shrink_to_fit();
  FFile = fd;
  FFileName = path;
  FOwnsFile = false;
  FSize = uint64_t(info.st_size);
  FRecordStarts = std::move(starts);
}

bool TPageStore::Loaded() const {
  std::lock_guard guard(FLock);
  return !FOwnsFile;
}

void TPageStore::SaveToFile(const std::string& path) const {
  if (SavingOntoOwnFile(path)) return;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) throw platform::EInOutError(errno ? errno : EACCES);
  std::lock_guard guard(FLock);
  // A store without pages holds no bytes yet; its file still needs the header to load.
  if (FSize == 0) {
    const std::vector<uint8_t> header = ReportHeader(0, DateTimeNow());
    out.write(reinterpret_cast<const char*>(header.data()), std::streamsize(header.size()));
  }
  for (uint64_t at = 0; at < FSize; at += CopyBlockSize) {
    std::vector<uint8_t> block = ReadLocked(at, size_t(std::min<uint64_t>(CopyBlockSize, FSize - at)));
    out.write(reinterpret_cast<const char*>(block.data()), std::streamsize(block.size()));
  }
  out.flush();
  if (!out) throw platform::EInOutError(errno ? errno : EIO);
}

// Opening the store's own file for writing would empty it before it is read: a loaded
// file already holds exactly these bytes, the temporary file is refused (it goes with
// the store).
bool TPageStore::SavingOntoOwnFile(const std::string& path) const {
  const std::string own = FileName();
  std::error_code ignored;
  if (own.empty() || !std::filesystem::equivalent(path, own, ignored)) return false;
  if (Loaded()) return true;
  throw EPageStoreError("Cannot save the report onto its own page file " + path);
}

}  // namespace reports
