// The label page as designed: Letter portrait with 10 mm margins, the barcode element on
// the page at 26.19 / 17.20 mm, the empty detail band; and what a request copies onto it.
#include <gtest/gtest.h>

#include <cups/cups.h>

#include <QImage>
#include <QPainter>
#include <QWidget>

#include "graphics/qt/bitmapexport.h"
#include "graphics/qt/qtcanvas.h"
#include "normalprint/labelpage.h"
#include "reports/papers.h"
#include "reports/storeoutput.h"

namespace {

TEST(LabelPage, TheReportHasTheDesignedSettings) {
  QWidget owner;
  Tfrmprtbar page(&owner);
  const reports::TLabelReport& rep = page.rep;
  EXPECT_EQ(page.windowTitle(), "frmprtbar");
  EXPECT_EQ(page.size(), QSize(435, 300));
  EXPECT_FALSE(page.isVisible());
  EXPECT_EQ(rep.Units(), reports::MM);
  EXPECT_EQ(rep.PaperSize(), reports::Letter);
  EXPECT_DOUBLE_EQ(rep.PaperWidth(), 215.9);
  EXPECT_DOUBLE_EQ(rep.PaperLength(), 279.4);
  EXPECT_EQ(rep.Orientation(), reports::poPortrait);
  for (double margin : {rep.TopMargin(), rep.BottomMargin(), rep.LeftMargin(), rep.RightMargin()})
    EXPECT_DOUBLE_EQ(margin, 10.0);
  EXPECT_EQ(rep.Columns, 1);
  EXPECT_DOUBLE_EQ(rep.ColumnSpace(), 0);
  EXPECT_EQ(rep.Options, reports::FirstPageHeader | reports::LastPageFooter);
  EXPECT_TRUE(rep.PrintIfEmpty);
  EXPECT_EQ(rep.DataSource, nullptr);
  EXPECT_EQ(rep.ReportTitle, "");
  EXPECT_TRUE(rep.ShowProgress);
  EXPECT_FALSE(rep.Frame.AnySide());
  EXPECT_EQ(rep.Frame.Color, platform::clBlack);
  EXPECT_EQ(rep.Font.Name, "Arial");
  EXPECT_EQ(rep.Font.Height, 13);
  EXPECT_EQ(rep.Functions.at("PAGENUMBER"), "0");
  EXPECT_EQ(rep.Functions.at("COLUMNNUMBER"), "0");
  EXPECT_EQ(rep.Functions.at("REPORTTITLE"), "''");
  EXPECT_EQ(rep.Printer.PrinterIndex, -1);
  EXPECT_EQ(rep.Printer.Copies, 1);
  EXPECT_FALSE(rep.Printer.Duplex);
  EXPECT_EQ(rep.Printer.FirstPage, 0);
  EXPECT_EQ(rep.Printer.LastPage, 0);
  EXPECT_EQ(rep.Printer.OutputBin, reports::First);
  EXPECT_EQ(rep.Zoom(), 100);
  EXPECT_TRUE(rep.SnapToGrid);
  EXPECT_EQ(reports::PaperRow(rep.PaperSize()).SystemCode, 1);
}

TEST(LabelPage, TheBarcodeSitsOnThePageAndTheBandIsEmpty) {
  QWidget owner;
  Tfrmprtbar page(&owner);
  const TRepBarcode& element = page.RepBarcode2;
  EXPECT_EQ(element.ParentBand(), nullptr) << "placed on the report itself";
  ASSERT_EQ(page.rep.Elements().size(), 1u);
  EXPECT_EQ(page.rep.Elements()[0], &element);
  const reports::TRepSize size = element.Size();
  EXPECT_DOUBLE_EQ(size.Height, 219.604);
  EXPECT_DOUBLE_EQ(size.Left, 261.9375);
  EXPECT_DOUBLE_EQ(size.Top, 171.979);
  EXPECT_DOUBLE_EQ(size.Width, 222.25);
  // The same box in pixels at 96 per inch.
  EXPECT_EQ(element.Left(), 99);
  EXPECT_EQ(element.Top(), 65);
  EXPECT_EQ(element.Width(), 84);
  EXPECT_EQ(element.Height(), 83);
  EXPECT_EQ(element.Bar_Caption(), "4711");
  EXPECT_FALSE(element.Bar_PrintEmpty());
  EXPECT_EQ(element.Bar_Fontname(), "Arial");
  EXPECT_EQ(element.Bar_FontScaling(), 100);
  EXPECT_TRUE(element.AutoSize());
  EXPECT_FALSE(element.AutoStretch);
  EXPECT_EQ(element.Alignment(), reports::taLeftJustify);
  EXPECT_FALSE(element.AlignToBand);
  EXPECT_EQ(element.Color(), platform::clWhite);
  EXPECT_FALSE(element.Transparent());
  EXPECT_TRUE(element.WordWrap);
  EXPECT_FALSE(element.Frame.AnySide());
  EXPECT_EQ(element.DataSet(), nullptr);
  EXPECT_EQ(element.DataField(), "");
  EXPECT_EQ(element.Bar_CodeType(), TCustomBarcode::EAN_8);
  EXPECT_EQ(element.Bar_ModuleWidth(), TCustomBarcode::SC2);

  const reports::TRepBand& band = page.DetailBand1;
  EXPECT_EQ(band.BandType(), reports::rbDetail);
  EXPECT_DOUBLE_EQ(band.Height, 23.8125);
  EXPECT_DOUBLE_EQ(band.Width, 1957.917);
  EXPECT_EQ(band.Color, platform::clWhite);
  EXPECT_FALSE(band.Frame.AnySide());
  EXPECT_FALSE(band.ForceNewColumn);
  EXPECT_FALSE(band.ForceNewPage);
  EXPECT_FALSE(band.AlignToBottom);
  EXPECT_EQ(band.ChildBand, nullptr);
  EXPECT_TRUE(band.Elements().empty());
}

TEST(LabelPage, ARequestCopiesItsFiveSettingsAndNothingElse) {
  QWidget owner;
  TLabelPageRequest request;
  request.CodeText = "400638133393";
  request.CodeAddon = "52495";
  request.HeightPercent = 80;
  request.Rotation = TCustomBarcode::rotate_090;
  request.CodeType = TCustomBarcode::EAN_13;
  Tfrmprtbar* page = CreateLabelPage(&owner, request);
  EXPECT_EQ(page->parent(), &owner);
  const TRepBarcode& element = page->RepBarcode2;
  EXPECT_EQ(element.Bar_Caption(), "400638133393");
  EXPECT_EQ(element.Bar_CodeAddon(), "52495");
  EXPECT_EQ(element.Bar_HeightPercent(), 80);
  EXPECT_EQ(element.Bar_Rotation(), TCustomBarcode::rotate_090);
  EXPECT_EQ(element.Bar_CodeType(), TCustomBarcode::EAN_13);
  EXPECT_EQ(element.Bar_ModuleWidth(), TCustomBarcode::SC2) << "the window's module width does not reach the page";
  EXPECT_EQ(element.Bar_Ratio(), TCustomBarcode::Ratio_3);
  EXPECT_TRUE(element.Bar_HumanReadable());
}

TEST(LabelPage, ARequestOutOfRangeReachesTheCaller) {
  QWidget owner;
  TLabelPageRequest request;
  request.CodeText = "4711";
  request.HeightPercent = 10;
  EXPECT_THROW(CreateLabelPage(&owner, request), std::exception);
}

// Generated into a page store (as a preview will) with no printer to ask, the page is
// one A4 page of 794 x 1123 pixels at 96 per inch (the paper a print would get), and
// the report is free afterwards.
TEST(LabelPage, GeneratedIntoAPageStoreWithoutAPrinterItIsOneA4Page) {
  cupsSetServer("/nonexistent/cups.sock");
  QWidget owner;
  Tfrmprtbar page(&owner);
  reports::TRepJob job(reports::qrdPreview);
  reports::TStoreOutput output;
  page.rep.Generate(job, output);
  cupsSetServer(nullptr);
  EXPECT_FALSE(page.rep.Busy());
  EXPECT_EQ(page.rep.Units(), reports::MM);
  ASSERT_EQ(job.PageStore().PageCount(), 1);
  const platform::TMetafile picture = job.PageStore().Page(1);
  EXPECT_EQ(picture.Width(), 794);
  EXPECT_EQ(picture.Height(), 1123);
  EXPECT_DOUBLE_EQ(job.PaperWidth, 2100);
  EXPECT_DOUBLE_EQ(job.PaperLength, 2970);

  // Played back, the symbol starts at the element's corner: PX(261.9375) = 99, PY(171.979) = 65.
  QImage image = platform::ScreenBitmap(794, 1123, 96);
  {
    QPainter painter(&image);
    platform::TQtCanvas canvas(painter);
    picture.Play(canvas, platform::TRect{0, 0, 794, 1123});
  }
  int left = 794, top = 1123;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qGray(image.pixel(x, y)) < 64) {
        left = std::min(left, x);
        top = std::min(top, y);
      }
  EXPECT_EQ(left, 99);
  EXPECT_EQ(top, 65);
}

}  // namespace
