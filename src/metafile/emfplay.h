// Reading Enhanced Metafile bytes: the header, and the records played into a player.
#pragma once

#include <cstdint>
#include <span>

#include "metafile/metafile.h"
#include "metafile/metaplayer.h"

namespace platform {

// Checks the header record and the file's length; throws EMetafileError.
TMetafileHeader ReadEmfHeader(std::span<const uint8_t> data);

// Plays every record after the header up to the end-of-file record.
void PlayEmfRecords(std::span<const uint8_t> data, const TMetafileHeader& header, TMetafilePlayer& player);

}  // namespace platform
