// A job's finished pages, laid out byte for byte as the saved report file. The bytes stay
// in memory up to MemoryLimit, then move to a temporary file "LRP..." in the system's
// temporary folder, deleted with the store. Appending and reading take one lock, so a
// preview on another thread may read pages while generation appends them.
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <stdexcept>
#include <string>
#include <vector>

#include "metafile/metafile.h"

namespace reports {

// The store could not keep a page; the pages stored before are unharmed.
class EPageStoreError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TPageStore {
 public:
  static constexpr size_t MemoryLimit = 100000;
  static constexpr size_t CopyBlockSize = 10240;

  TPageStore();
  ~TPageStore();
  TPageStore(const TPageStore&) = delete;
  TPageStore& operator=(const TPageStore&) = delete;

  // Appends the next page; the header is written with the first one. Then tells
  // OnPageAvailable the number of pages stored (outside the lock).
  void AddPage(const platform::TMetafile& page);
  // Rewrites the header with the final page count and a fresh time.
  void Finish();

  int PageCount() const;
  bool PageAvailable(int pageNumber) const;
  // Page n (from 1); EPageStoreError when it is not stored.
  platform::TMetafile Page(int pageNumber) const;

  uint64_t Size() const;
  bool InFile() const;
  // The temporary file's path, empty while the store is in memory.
  std::string FileName() const;
  // All bytes, read in blocks of CopyBlockSize (the saved report file); a store without
  // pages saves the header of none. Onto the loaded file itself nothing is written;
  // onto the temporary file EPageStoreError.
  void SaveToFile(const std::string& path) const;
  std::vector<uint8_t> ReadBytes(uint64_t offset, size_t count) const;

  // Replaces the pages with those of a saved report file, opened read-only (others keep
  // every access) and never deleted by the store. The file is checked first: one that
  // does not hold up raises EReportFileError and the store stays as it was.
  void LoadFromFile(const std::string& path);
  // True once the pages come from a saved report file; such a store drops a page added
  // (one a cancelled generation still finishes) and keeps its header as it is.
  bool Loaded() const;

  std::function<void(int pagesStored)> OnPageAvailable;

 private:
  bool SavingOntoOwnFile(const std::string& path) const;
  void AppendLocked(const std::vector<uint8_t>& bytes);
  void MoveToFileLocked(const std::vector<uint8_t>& pending);
  void WriteAtLocked(uint64_t offset, const std::vector<uint8_t>& bytes);
  std::vector<uint8_t> ReadLocked(uint64_t offset, size_t count) const;

  mutable std::mutex FLock;
  std::vector<uint8_t> FMemory;
  int FFile = -1;
  std::string FFileName;
  bool FOwnsFile = true;  // the temporary file is ours to delete, a loaded one is not
  uint64_t FSize = 0;
  std::vector<uint64_t> FRecordStarts;
  double FCreated = 0;
};

}  // namespace reports
