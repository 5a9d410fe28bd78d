#include "metafile/support/bitmapbombs.h"

#include "metafile/emfrecords.h"
#include "metafile/emfwriter.h"
#include "metafile/wmfrecords.h"

namespace platform::testing {
namespace {

constexpr uint32_t BI_RLE8 = 1;
constexpr uint32_t BitmapInfoSize = 40 + 4;  // the header and one palette entry

// BITMAPINFOHEADER of an 8-bit RLE bitmap with one palette entry (black).
void AppendRleInfo(TByteBuilder& b, const TBitmapBomb& bomb) {
  b.U32(40).I32(bomb.Width).I32(bomb.Height).U16(1).U16(8).U32(BI_RLE8).U32(2).I32(0).I32(0).U32(1).U32(0);
  b.U32(0);
}

// The end-of-bitmap escape alone: every pixel keeps colour 0.
void AppendRleBits(TByteBuilder& b) { b.U8(0).U8(1); }

}  // namespace

std::vector<uint8_t> WmfBitmapBomb(const TBitmapBomb& bomb) {
  TByteBuilder records;
  records.U32(5).U16(META_SETWINDOWEXT).I16(100).I16(100);
  for (int i = 0; i < bomb.Records; ++i) {
    TByteBuilder r;
    // rop, usage, source height, width, y, x, destination height, width, y, x
    r.U32(SRCCOPY).U16(0).I16(int16_t(bomb.SourceHeight)).I16(int16_t(bomb.SourceWidth)).I16(0).I16(0);
    r.I16(100).I16(100).I16(0).I16(0);
    AppendRleInfo(r, bomb);
    AppendRleBits(r);
    records.U32(uint32_t(3 + r.Size() / 2)).U16(META_STRETCHDIB).Bytes(r.Data());
  }
  records.U32(3).U16(META_EOF);
  TByteBuilder all;
  all.U16(1).U16(WmfHeaderSize / 2).U16(0x0300).U32(uint32_t((WmfHeaderSize + records.Size()) / 2));
  all.U16(0).U32(37).U16(0);
  all.Bytes(records.Data());
  return all.Data();
}

std::vector<uint8_t> EmfBitmapBomb(const TBitmapBomb& bomb) {
  constexpr uint32_t fixedPart = 80;  // the record up to its bitmap info, type and size included
  TEmfWriter writer;
  for (int i = 0; i < bomb.Records; ++i) {
    TByteBuilder r;
    r.Rect(TRect{0, 0, 99, 99}).I32(0).I32(0).I32(0).I32(0).I32(bomb.SourceWidth).I32(bomb.SourceHeight);
    r.U32(fixedPart).U32(BitmapInfoSize).U32(fixedPart + BitmapInfoSize).U32(2);
    r.U32(0).U32(SRCCOPY).I32(100).I32(100);
    AppendRleInfo(r, bomb);
    AppendRleBits(r);
    writer.Add(EMR_STRETCHDIBITS, r);
  }
  // 100 x 100 pixels at 96 dpi.
  return writer.Finish(TEmfFrameInfo{TRect{0, 0, 2646, 2646}, TSize{960, 960}, TSize{254, 254}, TSize{254000, 254000}});
}

}  // namespace platform::testing
