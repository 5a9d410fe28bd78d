// Checks a saved report file before a preview trusts it: the header, then every page
// record walked forward from offset 124, each offset and length held against the file's
// size and against the page picture's own header, then each picture record by record.
// The result is the index of the page
// records, so a page is found in one step however long the file is.
#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace reports {

// A file that is not a report file, or one damaged or cut short; the message names it.
class EReportFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads count bytes at offset; the checker never asks beyond the size it was given.
using TReportFileReader = std::function<std::vector<uint8_t>(uint64_t offset, size_t count)>;

// The start of each page record, page 1 first.
std::vector<uint64_t> IndexReportFile(const std::string& name, uint64_t size, const TReportFileReader& read);

}  // namespace reports
