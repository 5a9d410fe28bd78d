// The label page printed for real: a private CUPS scheduler with a PostScript queue whose
// device is a file, the pages rendered back by Ghostscript and read by zxing-cpp.
#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>
#include <ZXing/ReadBarcode.h>
#include <cstdlib>
#include <memory>

#include "base/messages.h"
#include "normalprint/labelpage.h"
#include "support/postscriptqueue.h"

namespace {

using testsupport::TPostScriptQueue;
using testsupport::TPrinterMargins;

constexpr int kRenderDpi = 600;
constexpr double kMMPerInch = 25.4;

// The bounding box of the dark pixels, in pixels of the page.
struct TBox {
  int Left = -1, Top = -1, Right = -1, Bottom = -1;  // right and bottom inclusive
  bool Empty() const { return Left < 0; }
  int Width() const { return Right - Left + 1; }
  int Height() const { return Bottom - Top + 1; }
};

TBox DarkBox(const QImage& page) {
  const QImage gray = page.convertToFormat(QImage::Format_Grayscale8);
  TBox box;
  for (int y = 0; y < gray.height(); ++y) {
    const uchar* row = gray.constScanLine(y);
    for (int x = 0; x < gray.width(); ++x) {
      if (row[x] >= 128) continue;
      if (box.Empty()) box = {x, y, x, y};
      box.Left = std::min(box.Left, x);
      box.Right = std::max(box.Right, x);
      box.Top = std::min(box.Top, y);
      box.Bottom = std::max(box.Bottom, y);
    }
  }
  return box;
}

double MM(int pixels, int dpi) { return pixels * kMMPerInch / dpi; }

std::string Decoded(const QImage& page, ZXing::BarcodeFormat format) {
  const TBox box = DarkBox(page);
  if (box.Empty()) return "(blank)";
  constexpr int kQuiet = 60;
  QImage symbol = page.copy(box.Left - kQuiet, box.Top - kQuiet, box.Width() + 2 * kQuiet, box.Height() + 2 * kQuiet)
                      .convertToFormat(QImage::Format_Grayscale8);
  symbol.fill(Qt::white);
  QImage source = page.convertToFormat(QImage::Format_Grayscale8);
  for (int y = 0; y < box.Height(); ++y)
    for (int x = 0; x < box.Width(); ++x)
      symbol.setPixel(x + kQuiet, y + kQuiet, source.pixel(box.Left + x, box.Top + y));
  ZXing::DecodeHints hints;
  hints.setFormats(format);
  hints.setTryRotate(true);
  hints.setTryHarder(true);
  ZXing::ImageView view(symbol.constBits(), symbol.width(), symbol.height(), ZXing::ImageFormat::Lum,
                        static_cast<int>(symbol.bytesPerLine()));
  ZXing::Result result = ZXing::ReadBarcode(view, hints);
  return result.isValid() ? result.text() : "(not read)";
}

class LabelPagePrint : public testing::Test {
 protected:
  // A scheduler of each test's own, so no test sees another's queues or jobs.
  void SetUp() override {
    dir = std::make_unique<testsupport::TTempDir>();
    cupsd = std::make_unique<testsupport::TPrivateCupsd>();
    const std::string missing =
        cupsd->Failure().empty() ? TPostScriptQueue::MissingTools() : cupsd->Failure();
    if (!missing.empty()) {
      const char* ci = std::getenv("CI");
      if (ci && std::string(ci) == "true") FAIL() << missing;
      GTEST_SKIP() << missing;
    }
    owner = std::make_unique<QWidget>();
  }

  TPostScriptQueue& Queue(const std::string& name, TPrinterMargins margins) {
    queue = std::make_unique<TPostScriptQueue>(*cupsd, *dir, name, margins);
    EXPECT_TRUE(queue->Created());
    return *queue;
  }

  // Prints one label page at 600 dpi and returns the pages that arrived.
  std::vector<QImage> PrintAndRender(const TLabelPageRequest& request) {
    queue->ClearOutput();
    Tfrmprtbar* page = CreateLabelPage(owner.get(), request);
    page->rep.Printer.Resolution = kRenderDpi;  // Qt would pick the queue's 1200 dpi
    page->rep.Print();
    EXPECT_TRUE(queue->WaitForJobs()) << cupsd->Log();
    return queue->RenderedPages(kRenderDpi);
  }

  static TLabelPageRequest Request(TCustomBarcode::btCodeTypes type, const QString& text,
                                   TCustomBarcode::btCodeRotate rotation = TCustomBarcode::rotate_000) {
    TLabelPageRequest request;
    request.CodeText = text;
    request.CodeType = type;
    request.Rotation = rotation;
    return request;
  }

  std::unique_ptr<testsupport::TTempDir> dir;
  std::unique_ptr<testsupport::TPrivateCupsd> cupsd;
  std::unique_ptr<TPostScriptQueue> queue;
  std::unique_ptr<QWidget> owner;
};

// Letter at 600 dpi: 8.5 x 11 inches.
constexpr int kLetterWidthPx = 5100;
constexpr int kLetterHeightPx = 6600;
// The element's corner, 261.9375 and 171.979 tenths of a millimetre from the paper's.
constexpr double kBoxLeftMM = 26.19375;
constexpr double kBoxTopMM = 17.1979;
constexpr double kPositionToleranceMM = 0.2;

struct TMarginCase {
  const char* queue;
  TPrinterMargins margins;
};

const TMarginCase kMarginCases[] = {{"Borderless", {0, 0, 0, 0}}, {"Margins", {18, 36, 18, 36}}};

TEST_F(LabelPagePrint, OneLetterPortraitPageWithTheSymbolAtItsPlaceOnEveryQueue) {
  for (const TMarginCase& c : kMarginCases) {
    SCOPED_TRACE(c.queue);
    Queue(c.queue, c.margins);
    std::vector<QImage> pages = PrintAndRender(Request(TCustomBarcode::EAN_8, "4711"));
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].width(), kLetterWidthPx);
    EXPECT_EQ(pages[0].height(), kLetterHeightPx);
    const TBox box = DarkBox(pages[0]);
    ASSERT_FALSE(box.Empty());
    // EAN-8 starts with a guard bar at its origin: the first dark column is the box's left.
    EXPECT_NEAR(MM(box.Left, kRenderDpi), kBoxLeftMM, kPositionToleranceMM);
    EXPECT_NEAR(MM(box.Top, kRenderDpi), kBoxTopMM, kPositionToleranceMM);
    EXPECT_EQ(Decoded(pages[0], ZXing::BarcodeFormat::EAN8), "47110007");
  }
}

// 67 modules of 0.33 mm: the last bar ends at Round(66 x 0.33 x 23.622) + 8 = 522 px, so
// the drawn size (one column more) is 523 px, 22.1 mm; the design zoom plays no part.
TEST_F(LabelPagePrint, Ean8AtSc2Is523PixelsWideAt600Dpi) {
  Queue("Width", {});
  for (int zoom : {100, 50, 200}) {
    SCOPED_TRACE(zoom);
    queue->ClearOutput();
    Tfrmprtbar* page = CreateLabelPage(owner.get(), Request(TCustomBarcode::EAN_8, "4711"));
    page->rep.SetZoom(zoom);
    page->rep.Printer.Resolution = kRenderDpi;
    page->rep.Print();
    ASSERT_TRUE(queue->WaitForJobs()) << cupsd->Log();
    std::vector<QImage> pages = queue->RenderedPages(kRenderDpi);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(DarkBox(pages[0]).Width() + 1, 523);
  }
}

TEST_F(LabelPagePrint, AnEmptyCodeTextPrintsABlankPage) {
  Queue("Blank", {});
  std::vector<QImage> pages = PrintAndRender(Request(TCustomBarcode::EAN_13, ""));
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_TRUE(DarkBox(pages[0]).Empty());
}

struct TSymbolCase {
  const char* name;
  TCustomBarcode::btCodeTypes type;
  const char* text;
  ZXing::BarcodeFormat format;
  const char* decoded;
};

const TSymbolCase kSymbolCases[] = {
    {"Ean8", TCustomBarcode::EAN_8, "4711", ZXing::BarcodeFormat::EAN8, "47110007"},
    {"Ean13", TCustomBarcode::EAN_13, "400638133393", ZXing::BarcodeFormat::EAN13, "4006381333931"},
    {"UpcA", TCustomBarcode::UPC_A, "03600029145", ZXing::BarcodeFormat::UPCA, "036000291452"},
    {"UpcE", TCustomBarcode::UPC_E, "042100", ZXing::BarcodeFormat::UPCE, "00421001"},
    {"Code39", TCustomBarcode::CODE39, "ABC-1", ZXing::BarcodeFormat::Code39, "ABC-1"},
    {"Code25i", TCustomBarcode::CODE25i, "123456", ZXing::BarcodeFormat::ITF, "123456"},
    {"Code128A", TCustomBarcode::CODE128_A, "ABC123", ZXing::BarcodeFormat::Code128, "ABC123"},
    {"Code128B", TCustomBarcode::CODE128_B, "Label 42", ZXing::BarcodeFormat::Code128, "Label 42"},
    {"Code128C", TCustomBarcode::CODE128_C, "123456", ZXing::BarcodeFormat::Code128, "123456"},
};

void PrintTo(const TSymbolCase& c, std::ostream* out) { *out << c.name; }

class LabelPageSymbol : public LabelPagePrint, public testing::WithParamInterface<TSymbolCase> {};

// On a queue with unprintable margins, in each of the four rotations.
TEST_P(LabelPageSymbol, DecodesInEveryRotation) {
  const TSymbolCase& c = GetParam();
  Queue("Symbols", {18, 36, 18, 36});
  for (auto rotation : {TCustomBarcode::rotate_000, TCustomBarcode::rotate_090, TCustomBarcode::rotate_180,
                        TCustomBarcode::rotate_270}) {
    SCOPED_TRACE(testing::Message() << "rotation " << int(rotation));
    std::vector<QImage> pages = PrintAndRender(Request(c.type, c.text, rotation));
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(Decoded(pages[0], c.format), c.decoded);
  }
}

INSTANTIATE_TEST_SUITE_P(Symbologies, LabelPageSymbol, testing::ValuesIn(kSymbolCases),
                         [](const testing::TestParamInfo<TSymbolCase>& info) { return info.param.name; });

}  // namespace

namespace {

// A symbology the engine does not know fails while the page is drawn: the error reaches
// the caller, no half-made document reaches the spooler, the report is free again and
// the job it had before is back.
TEST_F(LabelPagePrint, AFailingSymbolEndsTheJobCleanly) {
  Queue("Failing", {});
  Tfrmprtbar* page = CreateLabelPage(owner.get(), Request(TCustomBarcode::EAN_8, "4711"));
  auto previous = std::make_unique<reports::TRepJob>(reports::qrdPreview);
  reports::TRepJob* kept = previous.get();
  page->rep.SetJob(std::move(previous));
  page->RepBarcode2.SetBar_CodeType(TCustomBarcode::btCodeTypes(99));
  try {
    page->rep.Print();
    ADD_FAILURE() << "Print did not raise";
  } catch (const std::exception& error) {
    EXPECT_STREQ(error.what(), "Barcode: Unknown Type of Barcode");
  }
  EXPECT_FALSE(page->rep.Busy());
  EXPECT_EQ(page->rep.Job(), kept);
  ASSERT_TRUE(queue->WaitForJobs());
  EXPECT_EQ(queue->JobCount(), 0) << queue->JobStates();

  // And the report prints again.
  page->RepBarcode2.SetBar_CodeType(TCustomBarcode::EAN_8);
  page->rep.Printer.Resolution = kRenderDpi;
  page->rep.Print();
  ASSERT_TRUE(queue->WaitForJobs()) << cupsd->Log();
  EXPECT_EQ(queue->JobCount(), 1);
  EXPECT_EQ(queue->RenderedPages(kRenderDpi).size(), 1u);
  EXPECT_EQ(page->rep.Job(), kept);
}

// A scheduler without any queue: Print returns at once, with no job and no message.
TEST_F(LabelPagePrint, WithoutAnyPrinterPrintDoesNothing) {
  std::vector<std::string> messages;
  platform::TMessageHandler previous =
      platform::SetMessageHandler([&](const std::string& text) { messages.push_back(text); });
  Tfrmprtbar* page = CreateLabelPage(owner.get(), Request(TCustomBarcode::EAN_8, "4711"));
  bool progressShown = false;
  page->rep.ProgressFactory = [&](reports::TRepJob&) -> std::unique_ptr<reports::TRepProgress> {
    progressShown = true;
    return nullptr;
  };
  page->rep.Print();
  platform::SetMessageHandler(previous);
  EXPECT_FALSE(progressShown);
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(page->rep.Job(), nullptr);
  cups_job_t* jobs = nullptr;
  int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, nullptr, 0, CUPS_WHICHJOBS_ALL);
  cupsFreeJobs(count, jobs);
  EXPECT_LE(count, 0);
}

// Every request makes a page of its own, owned by the window; all go with the window.
TEST_F(LabelPagePrint, EachRequestMakesAPageThatGoesWithItsWindow) {
  auto window = std::make_unique<QWidget>();
  Tfrmprtbar* first = CreateLabelPage(window.get(), Request(TCustomBarcode::EAN_8, "1"));
  Tfrmprtbar* second = CreateLabelPage(window.get(), Request(TCustomBarcode::EAN_8, "2"));
  EXPECT_NE(first, second);
  EXPECT_EQ(frmprtbar, second);
  EXPECT_EQ(window->findChildren<Tfrmprtbar*>().size(), 2);
  window.reset();
  EXPECT_EQ(frmprtbar, nullptr);
}

}  // namespace
