// Saved report files, as a preview loads them: the file checked and indexed, then each
// page recognised and drawn into a small page image. A damaged file may only be refused
// with EReportFileError; the seeds are files saved from the label page.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "reports/pageimage.h"
#include "reports/pagestore.h"
#include "reports/paperrecognition.h"
#include "reports/reportcheck.h"
#include "reports/reportfile.h"

namespace {

void EnsureGuiApplication() {
  static int argc = 1;
  static char name[] = "fuzz";
  static char* argv[] = {name, nullptr};
  static QGuiApplication* app = QGuiApplication::instance() ? nullptr : new QGuiApplication(argc, argv);
  (void)app;
}

std::vector<uint8_t> Picture(const uint8_t* data, uint64_t start) {
  const uint64_t end = uint32_t(reports::ReadI32(data + start + 4));
  return {data + start + reports::PageRecordFrontSize, data + end - reports::PageRecordBackSize};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  EnsureGuiApplication();
  std::vector<uint64_t> starts;
  try {
    starts = reports::IndexReportFile("fuzz.LRP", size, [data, size](uint64_t offset, size_t count) {
      const size_t available = offset < size ? std::min<size_t>(count, size - size_t(offset)) : 0;
      return std::vector<uint8_t>(data + offset, data + offset + available);
    });
  } catch (const reports::EReportFileError&) {
    return 0;
  }
  QImage image(40, 52, QImage::Format_RGB32);
  for (uint64_t start : starts) {
    const platform::TMetafile page = platform::TMetafile::FromBytes(Picture(data, start));  // checked: never throws
    reports::RecognisePaper(page.Width(), page.Height(), 96);
    image.fill(Qt::gray);
    QPainter painter(&image);
    reports::DrawPageImage(painter, page, image.width(), image.height());
  }
  return 0;
}
