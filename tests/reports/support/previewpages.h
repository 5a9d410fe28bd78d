// Pages and jobs for the preview's tests: pictures recorded like the report's pages at
// 96 pixels per inch, each with black boxes where the test wants them, and a finished
// preview job holding such pages on Letter paper.
#pragma once

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "graphics/tracecanvas.h"
#include "metafile/metafilecanvas.h"
#include "reports/job.h"

namespace previewtest {

constexpr int kLetterWidthPx = 816;  // 215.9 mm at 96 dpi
constexpr int kLetterHeightPx = 1056;
constexpr double kLetterWidthTenths = 2159;
constexpr double kLetterLengthTenths = 2794;

inline platform::TMetafile BoxPage(std::initializer_list<platform::TRect> boxes, int width = kLetterWidthPx,
                                   int height = kLetterHeightPx) {
  platform::TTraceCanvas reference;
  platform::TMetafileCanvas recorder(reference, width, height);
  recorder.Brush.SetColor(platform::clBlack);
  for (const platform::TRect& box : boxes) recorder.FillRect(box);
  return recorder.Finish();
}

// Page n has n bars, so every page differs from the others.
inline platform::TMetafile NumberedPage(int n) {
  platform::TTraceCanvas reference;
  platform::TMetafileCanvas recorder(reference, kLetterWidthPx, kLetterHeightPx);
  recorder.Brush.SetColor(platform::clBlack);
  for (int bar = 0; bar < n; ++bar) recorder.FillRect(platform::TRect{10 + 4 * bar, 10, 12 + 4 * bar, 100});
  return recorder.Finish();
}

// A preview job whose generation has finished with pages 1..count.
inline std::unique_ptr<reports::TRepJob> FinishedJob(int count) {
  auto job = std::make_unique<reports::TRepJob>(reports::qrdPreview);
  job->PaperWidth = kLetterWidthTenths;
  job->PaperLength = kLetterLengthTenths;
  job->Printer.PaperSize = reports::Letter;
  for (int n = 1; n <= count; ++n) {
    ++job->PagesStarted;
    job->PageStore().AddPage(NumberedPage(n));
  }
  job->PageStore().Finish();
  job->Complete = true;
  return job;
}

inline std::vector<uint8_t> FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(bytes.data()),
                                                                 std::streamsize(bytes.size()));
}

}  // namespace previewtest
