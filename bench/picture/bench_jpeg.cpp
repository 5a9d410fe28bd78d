// Decoding a 4000 x 3000 photo-like JPEG (quality 90) into the picture box's bitmap at
// each scale, and libjpeg-turbo's own djpeg on the same file for comparison.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "picture/jpegimage.h"
#include "picture/support/djpeg.h"
#include "picture/support/jpegsamples.h"
#include "support/tempdir.h"

namespace {

using namespace picture;

struct TBenchFile {
  TBenchFile() {
    Bytes = testing::EncodeJPEG(testing::MakePhotoLikeImage(4000, 3000, 11), {.Quality = 90});
    Path = Dir.File("photo-4000x3000.jpg");
    testing::WriteFileBytes(Path, Bytes);
  }
  testsupport::TTempDir Dir;
  std::vector<uint8_t> Bytes;
  std::string Path;
};

const TBenchFile& File() {
  static const TBenchFile file;
  return file;
}

// The box's path: the picture holds the file, takes the scale, decodes at draw time.
void BM_DecodeIntoBox(benchmark::State& state) {
  TJPEGOptions options;
  options.Scale = static_cast<TJPEGScale>(state.range(0));
  TJPEGImage image;
  for (auto _ : state) {
    state.PauseTiming();
    image.LoadFromBytes(File().Bytes);  // header only; drops the previous bitmap
    image.PushOption(jpcScale, options);
    state.ResumeTiming();
    const TBitmapBits* bits = image.Bitmap();
    benchmark::DoNotOptimize(bits->Pixels.get());
  }
  state.SetLabel("1/" + std::to_string(1 << state.range(0)));
  state.counters["file_MB"] = static_cast<double>(File().Bytes.size()) / 1e6;
}
BENCHMARK(BM_DecodeIntoBox)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// djpeg's whole run: process start, reading the file, decoding, writing PPM to /dev/null.
void BM_Djpeg(benchmark::State& state) {
  std::string scale = "1/" + std::to_string(1 << state.range(0));
  for (auto _ : state) {
    if (testing::RunProgram({"djpeg", "-scale", scale, "-outfile", "/dev/null", File().Path}) != 0) {
      state.SkipWithError("djpeg did not run");
      break;
    }
  }
  state.SetLabel(scale);
}
BENCHMARK(BM_Djpeg)->Arg(0)->Arg(3)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
