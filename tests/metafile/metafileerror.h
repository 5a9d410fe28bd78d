// The message with which a metafile reader refuses some bytes, for tests that
// check the refusals of the EMF and WMF readers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "metafile/metafile.h"

namespace platform::testing {

// The message with which a metafile reader refuses these bytes, or "no error".
template <class TReader>
std::string MetafileErrorOf(const std::vector<uint8_t>& bytes) {
  try {
    TReader::FromBytes(bytes);
  } catch (const EMetafileError& e) {
    return e.what();
  }
  return "no error";
}

}  // namespace platform::testing
