// The label page in the print preview: one page at width zoom (A4 without a printer),
// saved to a report file whose page opens in Inkscape with a barcode that zxing-cpp
// reads, saved as PDF, loaded back into a preview, and a preview that closes with the
// window that owns its page.
#include <gtest/gtest.h>

#include <cups/cups.h>

#include <QAction>
#include <QImage>
#include <QPainter>
#include <QWidget>
#include <ZXing/ReadBarcode.h>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>

#include "normalprint/labelpage.h"
#include "reports/pageimage.h"
#include "reports/reppreview.h"
#include "reports/support/previewpages.h"
#include "reports/support/previewwindows.h"
#include "support/postscriptqueue.h"
#include "support/renderedfiles.h"
#include "support/tempdir.h"

namespace {

using previewtest::DeleteClosedWindows;
using previewtest::OpenPreviews;
using previewtest::WhenShown;
using reports::TStandardPreview;

int32_t I32At(const std::vector<uint8_t>& bytes, size_t at) {
  int32_t value;
  std::memcpy(&value, bytes.data() + at, 4);
  return value;
}

TLabelPageRequest Ean8(const QString& text) {
  TLabelPageRequest request;
  request.CodeText = text;
  request.CodeType = TCustomBarcode::EAN_8;
  return request;
}

std::string Decoded(const QImage& page) {
  const QImage gray = page.convertToFormat(QImage::Format_Grayscale8);
  ZXing::DecodeHints hints;
  hints.setFormats(ZXing::BarcodeFormat::EAN8);
  hints.setTryHarder(true);
  ZXing::ImageView view(gray.constBits(), gray.width(), gray.height(), ZXing::ImageFormat::Lum,
                        static_cast<int>(gray.bytesPerLine()));
  ZXing::Result result = ZXing::ReadBarcode(view, hints);
  return result.isValid() ? result.text() : "(not read)";
}

QRect DarkBox(const QImage& page) {
  const QImage gray = page.convertToFormat(QImage::Format_Grayscale8);
  QRect box;
  for (int y = 0; y < gray.height(); ++y)
    for (int x = 0; x < gray.width(); ++x)
      if (gray.constScanLine(y)[x] < 128) box |= QRect(x, y, 1, 1);
  return box;
}

class LabelPagePreview : public testing::Test {
 protected:
  void SetUp() override {
    previous = TStandardPreview::SetFileChooser([this](const reports::TReportFileDialog& request) {
      if (request.ChosenFilter && !chosenFilter.isEmpty()) *request.ChosenFilter = chosenFilter;
      return chosen;
    });
  }
  void TearDown() override {
    for (TStandardPreview* preview : OpenPreviews()) preview->close();
    DeleteClosedWindows();
    TStandardPreview::SetFileChooser(previous);
  }
  testsupport::TTempDir dir;
  QString chosen;
  QString chosenFilter;  // empty: the dialog's first
  reports::TReportFileChooser previous;
};

// Saved as PDF, the page is the printed sheet: A4 with no printer installed, and the
// element's corner 26.19 mm and 17.20 mm from the paper's, as the label page prints it.
TEST_F(LabelPagePreview, SavedAsPdfTheSymbolIsWhereThePrinterPutsIt) {
  SKIP_OR_FAIL_WITHOUT_PRINTING(testsupport::MissingTool("pdftoppm"));
  constexpr int kDpi = 600;
  const auto mm = [](int pixels) { return pixels * 25.4 / kDpi; };
  QWidget owner;
  const std::string file = dir.File("label.pdf");
  chosen = QString::fromStdString(file);
  chosenFilter = reports::SavePdfFilter();
  cupsSetServer("/nonexistent/cups.sock");  // no printer: the page is laid out on A4
  WhenShown("Print Preview", [&](TStandardPreview& window) {
    window.Run(reports::pcSave);
    window.close();
  });
  PreviewLabelPage(&owner, Ean8("4711"));
  const std::vector<QImage> pages = testsupport::PdfPagesRendered(file, kDpi);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0].size(), QSize(4959, 7017));
  const QRect box = testsupport::DarkBox(pages[0]);
  EXPECT_NEAR(mm(box.left()), 26.19375, 0.2);
  EXPECT_NEAR(mm(box.top()), 17.1979, 0.2);
  EXPECT_EQ(Decoded(pages[0]), "47110007");
}

TEST_F(LabelPagePreview, OnePageAtWidthZoomSavedAsAReportFileThatInkscapeAndZxingRead) {
  QWidget owner;
  const std::string file = dir.File("label.LRP");
  chosen = QString::fromStdString(file);
  cupsSetServer("/nonexistent/cups.sock");  // no printer: the page is laid out on A4
  bool seen = false;
  platform::TRect bounds;
  WhenShown("Print Preview", [&](TStandardPreview& window) {
    seen = true;
    EXPECT_TRUE(window.isMaximized());
    EXPECT_TRUE(window.Action(reports::pcZoomWidth)->isChecked());
    EXPECT_EQ(window.PageCounterText(), "Page 1 of 1");
    EXPECT_EQ(window.ProgressText(), "0%");
    const platform::TMetafile* page = window.RepPreview().PageImage().Page();
    EXPECT_NE(page, nullptr);
    if (page) {
      EXPECT_EQ(page->Width(), 794);
      EXPECT_EQ(page->Height(), 1123);
      bounds = page->Header().Bounds;
    }
    window.Run(reports::pcSave);
    window.close();
  });
  PreviewLabelPage(&owner, Ean8("4711"));
  cupsSetServer(nullptr);
  ASSERT_TRUE(seen);

  // The file read by its layout: one page, its picture the EMF between the record's offsets.
  const std::vector<uint8_t> bytes = previewtest::FileBytes(file);
  ASSERT_GT(bytes.size(), 124u + 12u);
  EXPECT_EQ(I32At(bytes, 8), 1);
  EXPECT_EQ(I32At(bytes, 124), 1);
  const size_t end = size_t(I32At(bytes, 128));
  EXPECT_EQ(end, bytes.size());
  EXPECT_EQ(size_t(I32At(bytes, end - 4)), 124u);
  const std::string emf = dir.File("page1.emf");
  previewtest::WriteBytes(emf, std::vector<uint8_t>(bytes.begin() + 132, bytes.end() - 4));

  if (std::system("command -v inkscape >/dev/null 2>&1") != 0) GTEST_SKIP() << "inkscape is not installed";
  const std::string png = dir.File("page1.png");
  const std::string command = "inkscape '" + emf + "' --export-type=png --export-filename='" + png +
                              "' --export-dpi=300 --export-background=white --export-background-opacity=1 >'" +
                              dir.File("inkscape.log") + "' 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  QImage rendered;
  ASSERT_TRUE(rendered.load(QString::fromStdString(png)));
  QImage flat(rendered.size(), QImage::Format_RGB32);
  flat.fill(Qt::white);
  QPainter(&flat).drawImage(0, 0, rendered);
  // A4 at a printer's resolution, where the page's finer units keep the modules exact.
  EXPECT_EQ(flat.size(), QSize(2481, 3510));
  EXPECT_EQ(Decoded(flat), "47110007");
  // The element's box starts 26.19 mm and 17.20 mm from the paper's corner: 99 and 65
  // pixels at 96 dpi. Inkscape places a picture by the corner of what it draws (its
  // bounds, in those pixels: the detail band at the margins), not by the paper's
  // corner, so the box moves with it.
  constexpr double kScale = 300.0 / 96;
  const QRect box = DarkBox(flat);
  EXPECT_NEAR(box.left(), (99 - bounds.Left) * kScale, 2);
  EXPECT_NEAR(box.top(), (65 - bounds.Top) * kScale, 2);
}

TEST_F(LabelPagePreview, ASavedFileLoadedBackShowsTheSamePageAndDisablesPrinterSetup) {
  QWidget owner;
  const std::string file = dir.File("again.LRP");
  chosen = QString::fromStdString(file);
  std::vector<uint8_t> shownFirst, shownAfterLoad;
  WhenShown("Print Preview", [&](TStandardPreview& window) {
    shownFirst = window.RepPreview().PageImage().Page()->Bytes();
    window.Run(reports::pcSave);
    window.close();
  });
  PreviewLabelPage(&owner, Ean8("4711"));

  bool setupEnabled = true;
  WhenShown("Print Preview", [&](TStandardPreview& window) {
    window.Run(reports::pcLoad);
    shownAfterLoad = window.RepPreview().PageImage().Page()->Bytes();
    setupEnabled = window.Action(reports::pcPrintSetup)->isEnabled();
    EXPECT_EQ(window.PageCounterText(), "Page 1 of 1");
    window.close();
  });
  PreviewLabelPage(&owner, Ean8("1234"));
  ASSERT_FALSE(shownFirst.empty());
  EXPECT_EQ(shownAfterLoad, shownFirst);
  EXPECT_FALSE(setupEnabled);
}

// Saved from one preview, loaded into another and printed from there on a Letter queue
// without margins: the same barcode at the same place as the label page prints it.
TEST_F(LabelPagePreview, ALoadedFilePrintsTheSameBarcodeAtTheSamePlace) {
  testsupport::TPrivateCupsd cupsd;
  const std::string missing =
      cupsd.Failure().empty() ? testsupport::TPostScriptQueue::MissingTools() : cupsd.Failure();
  if (!missing.empty()) {
    const char* ci = std::getenv("CI");
    if (ci && std::string(ci) == "true") FAIL() << missing;
    GTEST_SKIP() << missing;
  }
  testsupport::TPostScriptQueue queue(cupsd, dir, "Letter", testsupport::TPrinterMargins{});
  ASSERT_TRUE(queue.Created());
  QWidget owner;
  chosen = QString::fromStdString(dir.File("print.LRP"));
  WhenShown("Print Preview", [&](TStandardPreview& window) {
    window.Run(reports::pcSave);
    window.close();
  });
  PreviewLabelPage(&owner, Ean8("4711"));
  WhenShown("Print Preview", [&](TStandardPreview& window) {
    window.Run(reports::pcLoad);
    window.Job()->Printer.Resolution = 600;
    window.Run(reports::pcPrint);
    window.close();
  });
  PreviewLabelPage(&owner, Ean8("1234"));
  ASSERT_TRUE(queue.WaitForJobs()) << cupsd.Log();
  constexpr int kDpi = 300;
  const std::vector<QImage> pages = queue.RenderedPages(kDpi);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0].size(), QSize(2550, 3300)) << "Letter, the paper listed next to the recognised Note";
  EXPECT_EQ(Decoded(pages[0]), "47110007");
  // 99 and 65 pixels at 96 dpi from the paper's corner, as on the label page.
  const QRect box = DarkBox(pages[0]);
  EXPECT_NEAR(box.left() * 25.4 / kDpi, 99 * 25.4 / 96, 0.3);
  EXPECT_NEAR(box.top() * 25.4 / kDpi, 65 * 25.4 / 96, 0.3);
}

TEST_F(LabelPagePreview, ClosingTheOwnerWindowClosesThePreview) {
  auto owner = std::make_unique<QWidget>();
  bool returned = false;
  WhenShown("Print Preview", [&](TStandardPreview&) { owner.reset(); });
  PreviewLabelPage(owner.get(), Ean8("4711"));
  returned = true;
  DeleteClosedWindows();
  EXPECT_TRUE(returned);
  EXPECT_TRUE(OpenPreviews().empty());
}

}  // namespace
