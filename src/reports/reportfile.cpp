#include "reports/reportfile.h"

#include <bit>
#include <cstring>
#include <ctime>
#include <stdexcept>

namespace reports {
namespace {

void Put(std::vector<uint8_t>& bytes, size_t at, const void* value, size_t size) {
  std::memcpy(bytes.data() + at, value, size);  // the machine is little-endian, as the file
}

// Days from 1899-12-30 to 1970-01-01.
constexpr double kUnixEpochDays = 25569;
constexpr double kSecondsPerDay = 86400;

}  // namespace

static_assert(std::endian::native == std::endian::little, "the report file is little-endian");

std::vector<uint8_t> ReportHeader(int32_t pageCount, double time) {
  std::vector<uint8_t> header(ReportHeaderSize, 0);
  Put(header, 0, &ReportFileMagic, 2);
  Put(header, 2, &ReportFileVersion, 2);
  Put(header, HeaderPageCountAt, &pageCount, 4);
  Put(header, HeaderTimeAt, &time, 8);
  header[HeaderCompressionAt] = 0;  // pages are stored uncompressed
  return header;
}

std::vector<uint8_t> PageRecord(int32_t pageNumber, uint64_t start, const std::vector<uint8_t>& picture) {
  const uint64_t end = start + PageRecordFrontSize + picture.size() + PageRecordBackSize;
  if (end > uint64_t(INT32_MAX)) throw std::length_error("the report's pages exceed 2 GB");
  std::vector<uint8_t> record(end - start);
  const int32_t next = int32_t(end), self = int32_t(start);
  Put(record, 0, &pageNumber, 4);
  Put(record, 4, &next, 4);
  std::memcpy(record.data() + PageRecordFrontSize, picture.data(), picture.size());
  Put(record, record.size() - PageRecordBackSize, &self, 4);
  return record;
}

double DateTimeNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  // tm_gmtoff turns the UTC instant into local wall-clock seconds.
  const double localSeconds = double(now) + double(local.tm_gmtoff);
  return kUnixEpochDays + localSeconds / kSecondsPerDay;
}

int32_t ReadI32(const uint8_t* at) {
  int32_t value;
  std::memcpy(&value, at, 4);
  return value;
}

int16_t ReadI16(const uint8_t* at) {
  int16_t value;
  std::memcpy(&value, at, 2);
  return value;
}

double ReadDouble(const uint8_t* at) {
  double value;
  std::memcpy(&value, at, 8);
  return value;
}

}  // namespace reports
