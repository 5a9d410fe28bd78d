// The pages saved as PDF and rendered back by poppler: one PDF page for each stored page,
// on the job's paper or the picture's own size, each mark where it is on the sheet.
#include <gtest/gtest.h>

#include <QImage>

#include "reports/pdfexport.h"
#include "reports/support/previewpages.h"
#include "support/renderedfiles.h"
#include "support/tempdir.h"

namespace reports {
namespace {

constexpr int kRenderDpi = 300;
constexpr double kToleranceMM = 0.2;

double MM(double pixels, int dpi) { return pixels * 25.4 / dpi; }

struct TPdfCase {
  const char* Name;
  int WidthPx, HeightPx;             // the page pictures, at 96 dpi
  double PaperWidth, PaperLength;    // the job's paper, 0.1 mm
  double PageWidthMM, PageHeightMM;  // what the PDF page must measure
};

TEST(PdfExport, EveryPageOnItsPaperWithItsBoxWhereItWasDrawn) {
  SKIP_OR_FAIL_WITHOUT_PRINTING(testsupport::MissingTool("pdftoppm"));
  testsupport::TTempDir dir;
  const TPdfCase cases[] = {
      {"LetterPortrait", 816, 1056, 2159, 2794, 215.9, 279.4},
      {"LetterLandscape", 1056, 816, 2794, 2159, 279.4, 215.9},
      {"UnrecognisedPaper", 400, 300, 2159, 2794, 105.833, 79.375},  // the picture's own size
  };
  for (const TPdfCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TRepJob job(qrdPreview);
    job.PaperWidth = c.PaperWidth;
    job.PaperLength = c.PaperLength;
    auto box = [](int n) { return platform::TRect{50 * n, 30 * n, 50 * n + 40, 30 * n + 25}; };
    for (int n = 1; n <= 2; ++n) job.PageStore().AddPage(previewtest::BoxPage({box(n)}, c.WidthPx, c.HeightPx));
    job.PageStore().Finish();
    const std::string pdf = dir.File(std::string(c.Name) + ".pdf");
    SavePagesAsPdf(job, QString::fromStdString(pdf));
    const std::vector<QImage> pages = testsupport::PdfPagesRendered(pdf, kRenderDpi);
    ASSERT_EQ(pages.size(), 2u);
    for (int n = 1; n <= 2; ++n) {
      const QImage& page = pages[size_t(n - 1)];
      EXPECT_NEAR(MM(page.width(), kRenderDpi), c.PageWidthMM, kToleranceMM);
      EXPECT_NEAR(MM(page.height(), kRenderDpi), c.PageHeightMM, kToleranceMM);
      const QRect dark = testsupport::DarkBox(page);
      const platform::TRect drawn = box(n);
      for (auto [rendered, expected] : {std::pair{dark.left(), drawn.Left}, {dark.top(), drawn.Top},
                                        {dark.right() + 1, drawn.Right}, {dark.bottom() + 1, drawn.Bottom}})
        EXPECT_NEAR(MM(rendered, kRenderDpi), MM(expected, 96), kToleranceMM) << "page " << n;
    }
  }
}

TEST(PdfExport, AJobWithoutPagesWritesNothing) {
  testsupport::TTempDir dir;
  TRepJob job(qrdPreview);
  job.PageStore().Finish();
  EXPECT_THROW(SavePagesAsPdf(job, QString::fromStdString(dir.File("none.pdf"))), std::runtime_error);
  EXPECT_FALSE(std::filesystem::exists(dir.File("none.pdf")));
}

}  // namespace
}  // namespace reports
