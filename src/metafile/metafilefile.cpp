#include "metafile/metafilefile.h"

#include <cerrno>
#include <cstdio>
#include <memory>

#include "base/inputfile.h"
#include "base/ioerror.h"
#include "metafile/metafile.h"

namespace platform {
namespace {

struct TFileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using TFile = std::unique_ptr<std::FILE, TFileCloser>;

[[noreturn]] void TooLarge(const std::string& path) { throw EMetafileError("The metafile is too large: " + path); }

}  // namespace

std::vector<uint8_t> ReadMetafileBytes(const std::string& path) {
  TInputFile file(path);
  if (!file.IsOpen() && file.Error() == ENXIO) throw EMetafileError("The metafile is not a regular file: " + path);
  if (!file.IsOpen()) throw EInOutError(file.Error());
  if (file.Size() > MaxPictureFileBytes) TooLarge(path);
  std::vector<uint8_t> bytes = file.Read(MaxPictureFileBytes);
  if (bytes.size() > MaxPictureFileBytes) TooLarge(path);  // it grew while being read
  return bytes;
}

void WriteMetafileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  TFile file(std::fopen(path.c_str(), "wb"));
  if (!file) throw EInOutError(errno);
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size())
    throw EInOutError(errno);
  if (std::fclose(file.release()) != 0) throw EInOutError(errno);
}

}  // namespace platform
