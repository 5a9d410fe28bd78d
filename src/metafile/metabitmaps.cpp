#include "metafile/metabitmaps.h"

#include <string>

#include "metafile/dib.h"

namespace platform {

void TMetafileBitmaps::Charge(const TRecordRef& record, int64_t& spent, int64_t amount, int64_t limit,
                              const char* unit) {
  if (amount > limit - spent)
    throw EMetafileError("The metafile's bitmaps are too large: record " + std::to_string(record.Index()) + " (" +
                         record.Name() + ") would bring them to " + std::to_string(spent + amount) + " " + unit +
                         ", more than the " + std::to_string(limit) + " allowed");
  spent += amount;
}

const TRgbImage& TMetafileBitmaps::Image(const TRecordRef& record, const TDibData& dib, const TDibPart& part) {
  auto kept = FImages.find(record.Index());
  if (kept != FImages.end()) return kept->second;
  try {
    TSize size = DibSize(dib.Info, dib.Usage);
    int32_t top = part.FromBottom ? int32_t(int64_t(size.cy) - part.Y - part.Height) : part.Y;
    TRect area = CropRect(size, part.X, top, part.Width, part.Height);
    Charge(record, FDecodedPixels, int64_t(size.cx) * size.cy, MaxMetafileBitmapPixels, "pixels");
    Charge(record, FKeptBytes, int64_t(area.Width()) * area.Height() * int64_t(sizeof(uint32_t)),
           MaxMetafileBitmapBytes, "bytes");
    TRgbImage image = dib.Packed ? DecodePackedDib(dib.Info, dib.Usage) : DecodeDib(dib.Info, dib.Bits, dib.Usage);
    return FImages.emplace(record.Index(), CropImage(std::move(image), area)).first->second;
  } catch (const EDibError& e) {
    record.Fail(std::string("has a bitmap that cannot be read: ") + e.what());
  }
}

}  // namespace platform
