// Item files from spreadsheets, as an import reads them: split into records, then every
// row checked. A damaged file may only be refused with ECsvFileError or EItemFileRefused;
// a refused row is a line of the report, never an exception.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "items/csvfile.h"
#include "items/itemsheet.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    items::CheckItemSheet(items::ParseCsv(std::string_view(reinterpret_cast<const char*>(data), size)));
  } catch (const items::ECsvFileError&) {
  } catch (const items::EItemFileRefused&) {
  }
  return 0;
}
