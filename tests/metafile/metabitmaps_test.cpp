// The bitmaps of a metafile: a file whose bitmaps together pass the budget of one file is
// refused at load, before they are decoded, and a loaded file's bitmaps are decoded once,
// not at every play.
#include "metafile/metabitmaps.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>

#include "graphics/tracecanvas.h"
#include "metafile/metafile.h"
#include "metafile/support/bitmapbombs.h"
#include "metafile/wmf.h"

namespace platform {
namespace {

using testing::TBitmapBomb;
using TClock = std::chrono::steady_clock;

double SecondsOf(const std::function<void()>& work) {
  TClock::time_point start = TClock::now();
  work();
  return std::chrono::duration<double>(TClock::now() - start).count();
}

template <class TReader>
void LoadAndPlay(const std::vector<uint8_t>& bytes, int plays, double& loadSeconds, double& playSeconds) {
  TReader picture;
  loadSeconds = SecondsOf([&] { picture = TReader::FromBytes(bytes); });
  TTraceCanvas canvas;
  canvas.SetKeeping(false);
  playSeconds = SecondsOf([&] {
    for (int i = 0; i < plays; ++i) picture.Play(canvas, TRect{0, 0, 100, 100});
  });
}

struct TBombCase {
  const char* Name;
  bool Emf;
  TBitmapBomb Bomb;
  std::string Record;  // the record that is refused
  std::string Budget;  // the one it would pass
};

// Twenty records of 32768 x 1024 pixels: the first alone declares more pixels than a file
// may decode. Twenty of 4096 x 2048 drawn whole: the second would keep more than a file may.
static_assert(int64_t(32768) * 1024 > MaxMetafileBitmapPixels);
static_assert(int64_t(4096) * 2048 * 2 <= MaxMetafileBitmapPixels);
static_assert(int64_t(4096) * 2048 * 4 <= MaxMetafileBitmapBytes && int64_t(4096) * 2048 * 4 * 2 > MaxMetafileBitmapBytes);
const TBombCase BombCases[] = {
    {"wmf, huge bitmaps", false, {}, "record 2 (META_STRETCHDIB)", "pixels"},
    {"wmf, large bitmaps", false, {20, 4096, 2048, 4096, 2048}, "record 3 (META_STRETCHDIB)", "bytes"},
    {"emf, huge bitmaps", true, {}, "record 2 (EMR_STRETCHDIBITS)", "pixels"},
    {"emf, large bitmaps", true, {20, 4096, 2048, 4096, 2048}, "record 3 (EMR_STRETCHDIBITS)", "bytes"},
};

TEST(MetafileBitmaps, FilesPastTheBudgetAreRefusedAtLoadQuickly) {
  for (const TBombCase& c : BombCases) {
    std::vector<uint8_t> bytes = c.Emf ? testing::EmfBitmapBomb(c.Bomb) : testing::WmfBitmapBomb(c.Bomb);
    std::string message = "no error";
    double seconds = SecondsOf([&] {
      try {
        if (c.Emf)
          TMetafile::FromBytes(bytes);
        else
          TWindowsMetafile::FromBytes(bytes);
      } catch (const EMetafileError& e) {
        message = e.what();
      }
    });
    EXPECT_EQ(message.rfind("The metafile's bitmaps are too large: " + c.Record + " would bring them to ", 0), 0u)
        << c.Name << ": " << message;
    EXPECT_NE(message.find(" " + c.Budget + ", more than the "), std::string::npos) << c.Name << ": " << message;
    // At most the first bitmap is decoded: a fraction of a second, where all twenty take seconds.
    EXPECT_LT(seconds, 2.0) << c.Name;
  }
}

TEST(MetafileBitmaps, BitmapsAreDecodedOnceNotAtEveryPlay) {
  // One 4096 x 4096 bitmap (the most a file may decode) of which 16 x 16 pixels are drawn:
  // decoding it dominates the load.
  TBitmapBomb large{1, 4096, 4096, 16, 16};
  static_assert(int64_t(4096) * 4096 <= MaxMetafileBitmapPixels);
  for (bool emf : {false, true}) {
    std::vector<uint8_t> bytes = emf ? testing::EmfBitmapBomb(large) : testing::WmfBitmapBomb(large);
    double load = 0, plays = 0;
    if (emf)
      LoadAndPlay<TMetafile>(bytes, 10, load, plays);
    else
      LoadAndPlay<TWindowsMetafile>(bytes, 10, load, plays);
    // Ten plays that each decoded again would take about ten loads.
    EXPECT_LT(plays, load) << (emf ? "emf" : "wmf") << ": load " << load << " s, ten plays " << plays << " s";
  }
}

}  // namespace
}  // namespace platform
