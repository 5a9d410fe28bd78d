// A barcode page generated into the page store, saved and loaded again, then drawn at
// 300 dpi by our own player, by Inkscape and through a printer queue: each reads with
// zbar and ZXing, and every bar is as wide as its modules and where they put it, within
// a pixel. A file saved before, in whole screen pixels, still loads and reads.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "barcode/control/rendered.h"
#include "barcode/llbarcode.h"
#include "graphics/qt/bitmapexport.h"
#include "graphics/qt/qtcanvas.h"
#include "reports/band.h"
#include "reports/job.h"
#include "reports/labelreport.h"
#include "reports/loadedprint.h"
#include "reports/pagestore.h"
#include "reports/printable.h"
#include "reports/storeoutput.h"
#include "support/postscriptqueue.h"
#include "support/qtimages.h"
#include "support/tempdir.h"

namespace reports {
namespace {

using testsupport::TPostScriptQueue;

constexpr int kDpi = 300;
constexpr double kModulePx = 0.33 * kDpi / 25.4;  // SC2
constexpr double kSymbolAt = 300;                 // 0.1 mm from the paper's corner, both ways
constexpr char kCaption[] = "400638133393";
constexpr char kRead[] = "4006381333931";
// Letter at 300 dpi, and the part of it the symbol lies in.
// A4, the paper a report is laid out on when no printer is installed, at 300 dpi as
// Inkscape sizes the page (by its bounds in screen pixels) and as Ghostscript prints it.
constexpr int kPageWidth = 2481, kPageHeight = 3510;
constexpr int kPrintedWidth = 2479, kPrintedHeight = 3508;
constexpr int kAreaWidth = 1000, kAreaHeight = 800;

// Draws one symbol as the label page's barcode element does: at the page's resolution,
// from the element's corner in page pixels.
class TSymbol : public TRepPrintable {
 public:
  using TRepPrintable::TRepPrintable;
  barcode::TLLBarcode Barcode;
  void PrintElement(TRepPage& page, double offsetX, double offsetY) override {
    Barcode.DrawBarcode(page.Canvas(), page.PX(Size().Left + offsetX), page.PY(Size().Top + offsetY));
  }
};

struct TRun {
  int Start;
  int Width;  // pixels or modules
};

// The symbol's bars in modules, as its encoder left them.
std::vector<TRun> BarModules(const barcode::TLLBarcode& b) {
  std::vector<TRun> bars;
  for (int start = 0; start < b.ModuleCount;) {
    int length = 1;
    while (start + length < b.ModuleCount && b.Modules[start + length] == b.Modules[start]) ++length;
    if (b.Modules[start] != 0) bars.push_back({start, length});
    start += length;
  }
  return bars;
}

std::vector<TRun> DarkRuns(const QImage& image, int y) {
  std::vector<TRun> runs;
  for (int x = 0; x < image.width(); ++x) {
    if (qGray(image.pixel(x, y)) >= 128) continue;
    const int start = x;
    while (x < image.width() && qGray(image.pixel(x, y)) < 128) ++x;
    runs.push_back({start, x - start});
  }
  return runs;
}

std::string ZbarRead(const std::string& png) {
  const std::string command = "zbarimg -q --raw '" + png + "' 2>/dev/null";
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[256];
    while (fgets(buffer, sizeof buffer, pipe)) out += buffer;
    pclose(pipe);
  }
  while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
  return out.empty() ? "(not read)" : out;
}

bool Installed(const std::string& tool) {
  return std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) == 0;
}

// The page played over the paper at dpi, of which the image holds the top-left part.
QImage Played(const platform::TMetafile& page, int dpi, int width, int height) {
  QImage image = platform::ScreenBitmap(width, height, dpi);
  QPainter painter(&image);
  platform::TQtCanvas canvas(painter);
  const double scale = dpi / 96.0;
  page.Play(canvas, platform::TRect{0, 0, int(page.Width() * scale + 0.5), int(page.Height() * scale + 0.5)});
  return image;
}

class SavedPage : public testing::Test {
 protected:
  void SetUp() override {
    SKIP_OR_FAIL_WITHOUT_PRINTING(Installed("zbarimg") ? "" : "zbarimg (zbar-tools) is not installed");
    TLabelReport report;
    report.SetPaperSize(A4);
    TRepBand band(report, rbDetail);  // one page
    band.Height = 100;
    TSymbol symbol(report, nullptr);
    symbol.SetSizeLeft(kSymbolAt);
    symbol.SetSizeTop(kSymbolAt);
    barcode::TBarcodeParams& p = symbol.Barcode.Params;
    p.CodeType = barcode::EAN_13;
    std::strcpy(p.Caption, kCaption);
    p.ModuleWidth = barcode::SC2;
    p.ZoomSize = true;
    TRepJob job(qrdPreview);
    TStoreOutput output;
    report.Generate(job, output);
    file = dir.File("label.LRP");
    job.PageStore().SaveToFile(file);
    bars = BarModules(symbol.Barcode);
  }

  // The page of the saved file played by our player onto the symbol's part of the paper.
  QImage PlayedByUs() {
    TPageStore loaded;
    loaded.LoadFromFile(file);
    EXPECT_EQ(loaded.PageCount(), 1);
    return Played(loaded.Page(1), kDpi, kAreaWidth, kAreaHeight);
  }

  // The same page opened by Inkscape and exported at 300 dpi, onto white.
  QImage PlayedByInkscape() {
    TPageStore loaded;
    loaded.LoadFromFile(file);
    const std::string emf = dir.File("page.emf"), png = dir.File("inkscape.png");
    loaded.Page(1).SaveToFile(emf);
    const std::string command = "inkscape '" + emf + "' --export-type=png --export-filename='" + png +
                                "' --export-dpi=300 >'" + dir.File("inkscape.log") + "' 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    QImage rendered;
    EXPECT_TRUE(rendered.load(QString::fromStdString(png)));
    EXPECT_EQ(rendered.size(), QSize(kPageWidth, kPageHeight));
    QImage flat = platform::ScreenBitmap(kAreaWidth, kAreaHeight, kDpi);
    QPainter(&flat).drawImage(0, 0, rendered);
    return flat;
  }

  void ExpectExactAndReadable(const QImage& image, const std::string& name) {
    SCOPED_TRACE(name);
    const std::string png = dir.File(name + ".png");
    image.save(QString::fromStdString(png));
    EXPECT_EQ(ZbarRead(png), kRead);
    EXPECT_EQ(barcode::Decoded(image, ZXing::BarcodeFormat::EAN13), kRead);
    // A row through the bars, above the digits.
    const int row = platform::testing::InkBounds(image).top() + 60;
    const std::vector<TRun> runs = DarkRuns(image, row);
    ASSERT_EQ(runs.size(), bars.size());
    // A rasterizer that covers every pixel a fill touches widens all bars alike, by up to
    // a pixel: that spread is taken out, uneven widths are not.
    double spread = 0;
    for (size_t i = 0; i < runs.size(); ++i) spread += (runs[i].Width - bars[i].Width * kModulePx) / runs.size();
    EXPECT_LT(std::abs(spread), 1);
    // A page stretched evenly over a printer's printable area moves every bar alike.
    const double stretch =
        (runs.back().Start - runs[0].Start) / ((bars.back().Start - bars[0].Start) * kModulePx);
    EXPECT_NEAR(stretch, 1, 0.01);
    for (size_t i = 0; i < runs.size(); ++i) {
      EXPECT_NEAR(runs[i].Width - spread, bars[i].Width * kModulePx, 1) << "bar " << i;
      EXPECT_NEAR(runs[i].Start - runs[0].Start, (bars[i].Start - bars[0].Start) * kModulePx * stretch, 1)
          << "bar " << i;
    }
  }

  testsupport::TTempDir dir;
  std::string file;
  std::vector<TRun> bars;
};

TEST_F(SavedPage, ReadsAndKeepsItsBarWidthsInOurPlayerAndInInkscape) {
  ExpectExactAndReadable(PlayedByUs(), "ours");
  if (!Installed("inkscape")) GTEST_SKIP() << "inkscape is not installed";
  ExpectExactAndReadable(PlayedByInkscape(), "inkscape");
}

TEST_F(SavedPage, PrintedFromTheLoadedFileReadsAndKeepsItsBarWidths) {
  testsupport::TPrivateCupsd cupsd;
  SKIP_OR_FAIL_WITHOUT_PRINTING(cupsd.Failure().empty() ? TPostScriptQueue::MissingTools() : cupsd.Failure());
  TPostScriptQueue queue(cupsd, dir, "Plain", testsupport::TPrinterMargins{});
  ASSERT_TRUE(queue.Created());
  TRepJob job(qrdPreview);
  job.PageStore().LoadFromFile(file);
  job.PaperWidth = 2100;
  job.PaperLength = 2970;
  job.Printer.PaperSize = A4;
  job.Printer.Resolution = 600;
  TLoadedPrint(job).Run({});
  ASSERT_TRUE(queue.WaitForJobs()) << cupsd.Log();
  const std::vector<QImage> pages = queue.RenderedPages(kDpi);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0].size(), QSize(kPrintedWidth, kPrintedHeight));
  ExpectExactAndReadable(pages[0].copy(0, 0, kAreaWidth, kAreaHeight), "printed");
}

// Saved before pages were recorded in finer units: a label page in whole screen pixels.
// It reads at its own size, and at 300 dpi each bar is its screen pixels scaled.
TEST(EarlierSavedPage, StillLoadsReadsAndScalesItsPixels) {
  TPageStore loaded;
  loaded.LoadFromFile(TEST_DATA_DIR "/reports/label-ean8-screen-pixels.LRP");
  ASSERT_EQ(loaded.PageCount(), 1);
  const platform::TMetafile page = loaded.Page(1);
  const QImage screen = Played(page, 96, page.Width(), page.Height());
  EXPECT_EQ(barcode::Decoded(screen, ZXing::BarcodeFormat::EAN8), "47110007");
  constexpr double kScale = kDpi / 96.0;
  const int row = platform::testing::InkBounds(screen).top() + 20;
  const std::vector<TRun> pixels = DarkRuns(screen, row);
  const std::vector<TRun> scaled = DarkRuns(Played(page, kDpi, kAreaWidth, kAreaHeight), int(row * kScale + 1));
  ASSERT_GT(pixels.size(), 20u);
  ASSERT_EQ(scaled.size(), pixels.size());
  for (size_t i = 0; i < pixels.size(); ++i) {
    EXPECT_NEAR(scaled[i].Start, pixels[i].Start * kScale, 1) << "bar " << i;
    EXPECT_NEAR(scaled[i].Width, pixels[i].Width * kScale, 1) << "bar " << i;
  }
}

}  // namespace
}  // namespace reports
