#include "metafile/metafile.h"

#include <algorithm>
#include <cmath>

#include "base/screen.h"
#include "graphics/tracecanvas.h"
#include "metafile/emfplay.h"
#include "metafile/metafilefile.h"

namespace platform {
namespace {

// Reference-device pixels per millimetre; the micrometre sizes are the precise ones.
TPointD PixelsPerMM(const TMetafileHeader& h) {
  if (h.Micrometers.cx > 0 && h.Micrometers.cy > 0)
    return {h.Device.cx * 1000.0 / h.Micrometers.cx, h.Device.cy * 1000.0 / h.Micrometers.cy};
  return {double(h.Device.cx) / h.Millimeters.cx, double(h.Device.cy) / h.Millimeters.cy};
}

struct TFramePixels {
  double Left, Top, Right, Bottom;
};

// The picture frame in reference pixels; writers that leave it empty get the bounds.
TFramePixels FramePixels(const TMetafileHeader& h) {
  TPointD ppmm = PixelsPerMM(h);
  const TRect& f = h.Frame;
  if (f.Right > f.Left && f.Bottom > f.Top)
    return {f.Left * ppmm.X / 100, f.Top * ppmm.Y / 100, f.Right * ppmm.X / 100, f.Bottom * ppmm.Y / 100};
  const TRect& b = h.Bounds;
  if (b.Right >= b.Left && b.Bottom >= b.Top)
    return {double(b.Left), double(b.Top), double(b.Right) + 1, double(b.Bottom) + 1};
  throw EMetafileError("Damaged metafile: the picture frame is empty");
}

void PlayInto(const std::vector<uint8_t>& bytes, const TMetafileHeader& header, TMetafileBitmaps& bitmaps,
              TCanvas& canvas, const TRect& dest) {
  TFramePixels f = FramePixels(header);
  TMetafilePlayer player =
      TMetafilePlayer::ForEmf(canvas, dest, f.Left, f.Top, f.Right, f.Bottom, PixelsPerMM(header), bitmaps);
  PlayEmfRecords(bytes, header, player);
}

}  // namespace

TMetafile TMetafile::FromBytes(std::vector<uint8_t> bytes) {
  TMetafile metafile;
  metafile.FHeader = ReadEmfHeader(bytes);
  metafile.FBitmaps = std::make_shared<TMetafileBitmaps>();
  // Every record is checked now, so a damaged picture fails to load instead of failing
  // at each repaint, and its bitmaps are decoded once for every later play.
  TTraceCanvas sink;
  sink.SetKeeping(false);
  PlayInto(bytes, metafile.FHeader, *metafile.FBitmaps, sink, TRect{0, 0, 1000, 1000});
  metafile.FBytes = std::move(bytes);
  return metafile;
}

TMetafile TMetafile::LoadFromFile(const std::string& path) { return FromBytes(ReadMetafileBytes(path)); }

void TMetafile::SaveToFile(const std::string& path) const { WriteMetafileBytes(path, FBytes); }

static int32_t ScreenPixels(int64_t hundredthsOfMM) {
  return int32_t(std::lround(std::clamp(hundredthsOfMM * ScreenPixelsPerInch() / 2540.0, 0.0, 1e9)));
}

int32_t TMetafile::Width() const { return ScreenPixels(int64_t(FHeader.Frame.Right) - FHeader.Frame.Left); }

int32_t TMetafile::Height() const { return ScreenPixels(int64_t(FHeader.Frame.Bottom) - FHeader.Frame.Top); }

void TMetafile::Play(TCanvas& canvas, const TRect& dest) const {
  if (Empty()) return;
  PlayInto(FBytes, FHeader, *FBitmaps, canvas, dest);
}

}  // namespace platform
