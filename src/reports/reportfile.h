// The byte layout shared by a job's page store and the saved report file: a 124-byte
// header, then one record per page (page number, offset past the record, one EMF
// picture, offset of the record's start). All integers little-endian.
#pragma once

#include <cstdint>
#include <vector>

namespace reports {

constexpr uint32_t ReportHeaderSize = 124;
constexpr int16_t ReportFileMagic = 3;
constexpr int16_t ReportFileVersion = 304;
constexpr uint32_t HeaderPageCountAt = 8;
constexpr uint32_t HeaderTimeAt = 12;
constexpr uint32_t HeaderCompressionAt = 21;
// Page number and forward offset before the picture, backward offset after it.
constexpr uint32_t PageRecordFrontSize = 8;
constexpr uint32_t PageRecordBackSize = 4;

// The header bytes for a store of pageCount pages created at time (see DateTimeNow).
std::vector<uint8_t> ReportHeader(int32_t pageCount, double time);

// The record of one page starting at file offset start.
std::vector<uint8_t> PageRecord(int32_t pageNumber, uint64_t start, const std::vector<uint8_t>& picture);

// The local time as days since 1899-12-30, the time of day as fraction.
double DateTimeNow();

int32_t ReadI32(const uint8_t* at);
int16_t ReadI16(const uint8_t* at);
double ReadDouble(const uint8_t* at);

}  // namespace reports
