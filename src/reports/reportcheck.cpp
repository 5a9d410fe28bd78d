#include "reports/reportcheck.h"

#include "metafile/emfrecords.h"
#include "metafile/metafile.h"
#include "reports/reportfile.h"

namespace reports {
namespace {

using platform::EmfHeaderMinSize;

// Where the EMF header record (type, size, bounds, frame, signature, version, total
// bytes, ...) holds its signature and the picture's size.
constexpr uint32_t kEmfSignatureAt = 40;
constexpr uint32_t kEmfBytesAt = 48;
constexpr uint64_t kSmallestRecord = PageRecordFrontSize + EmfHeaderMinSize + PageRecordBackSize;

class TChecker {
 public:
  TChecker(const std::string& name, uint64_t size, const TReportFileReader& read)
      : FName(name), FSize(size), FRead(read) {}

  std::vector<uint64_t> Run() {
    const int32_t pages = CheckHeader();
    std::vector<uint64_t> starts;
    starts.reserve(size_t(pages));
    uint64_t start = ReportHeaderSize;
    for (int32_t page = 1; page <= pages; ++page) {
      starts.push_back(start);
      start = CheckRecord(page, start);
    }
    if (start != FSize) Refuse("bytes follow the last page");
    for (size_t i = 0; i < starts.size(); ++i) CheckPicture(int32_t(i + 1), starts[i]);
    return starts;
  }

 private:
  [[noreturn]] void Refuse(const std::string& reason) const {
    throw EReportFileError(FName + " is not a valid report file (" + reason + ")");
  }

  std::vector<uint8_t> Read(uint64_t offset, size_t count) const {
    if (offset > FSize || count > FSize - offset) Refuse("it is cut short");
    std::vector<uint8_t> bytes = FRead(offset, count);
    if (bytes.size() != count) Refuse("it is cut short");
    return bytes;
  }

  int32_t CheckHeader() const {
    if (FSize < ReportHeaderSize) Refuse("shorter than its header");
    const std::vector<uint8_t> header = Read(0, ReportHeaderSize);
    if (ReadI16(header.data()) != ReportFileMagic || ReadI16(header.data() + 2) != ReportFileVersion)
      Refuse("unknown header");
    const int32_t pages = ReadI32(header.data() + HeaderPageCountAt);
    if (pages < 0) Refuse("negative page count");
    if (uint64_t(pages) > (FSize - ReportHeaderSize) / kSmallestRecord) Refuse("more pages than the file holds");
    return pages;
  }

  // Returns the start of the next record.
  uint64_t CheckRecord(int32_t page, uint64_t start) const {
    const std::string which = "page " + std::to_string(page);
    const std::vector<uint8_t> front = Read(start, PageRecordFrontSize + EmfHeaderMinSize);
    if (ReadI32(front.data()) != page) Refuse(which + " is out of order");
    const int64_t next = ReadI32(front.data() + 4);
    if (next < int64_t(start + kSmallestRecord) || uint64_t(next) > FSize) Refuse(which + " has a bad length");
    const uint8_t* emf = front.data() + PageRecordFrontSize;
    if (uint32_t(ReadI32(emf)) != platform::EMR_HEADER || uint32_t(ReadI32(emf + kEmfSignatureAt)) != platform::EmfSignature)
      Refuse(which + " holds no page picture");
    const uint64_t pictureBytes = uint32_t(ReadI32(emf + kEmfBytesAt));
    if (pictureBytes != uint64_t(next) - start - PageRecordFrontSize - PageRecordBackSize)
      Refuse(which + " does not match its picture's size");
    const std::vector<uint8_t> back = Read(uint64_t(next) - PageRecordBackSize, PageRecordBackSize);
    if (ReadI32(back.data()) != int64_t(start)) Refuse(which + " has a bad backward offset");
    return uint64_t(next);
  }

  // Every record of the picture, so that no page fails later when it is shown.
  void CheckPicture(int32_t page, uint64_t start) const {
    const uint64_t end = uint32_t(ReadI32(Read(start + 4, 4).data()));
    try {
      platform::TMetafile::FromBytes(Read(start + PageRecordFrontSize, size_t(end - start - PageRecordFrontSize - PageRecordBackSize)));
    } catch (const platform::EMetafileError& error) {
      Refuse("page " + std::to_string(page) + ": " + error.what());
    }
  }

  const std::string& FName;
  uint64_t FSize;
  const TReportFileReader& FRead;
};

}  // namespace

std::vector<uint64_t> IndexReportFile(const std::string& name, uint64_t size, const TReportFileReader& read) {
  return TChecker(name, size, read).Run();
}

}  // namespace reports
