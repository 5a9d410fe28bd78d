#include "metafile/metafilefile.h"

#include <cerrno>
#include <cstdio>
#include <memory>

#include "base/ioerror.h"
#include "metafile/metafile.h"

namespace platform {
namespace {

struct TFileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using TFile = std::unique_ptr<std::FILE, TFileCloser>;

}  // namespace

std::vector<uint8_t> ReadMetafileBytes(const std::string& path) {
  TFile file(std::fopen(path.c_str(), "rb"));
  if (!file) throw EInOutError(errno);
  if (std::fseek(file.get(), 0, SEEK_END) != 0) throw EInOutError(errno);
  long length = std::ftell(file.get());
  if (length < 0) throw EInOutError(errno);
  if (uint64_t(length) > MaxMetafileBytes) throw EMetafileError("The metafile is too large: " + path);
  std::rewind(file.get());
  std::vector<uint8_t> bytes(static_cast<size_t>(length));
  if (!bytes.empty() && std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size())
    throw EInOutError(std::ferror(file.get()) ? errno : EIO);
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
