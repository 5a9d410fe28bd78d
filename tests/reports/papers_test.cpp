// The paper table: the system's paper codes and their sizes (Windows DMPAPER_*), with
// code 0 keeping the printer's paper and 27 a custom size.
#include <gtest/gtest.h>

#include <QPageSize>
#include <QSizeF>
#include <string>

#include "reports/labelreport.h"
#include "reports/papers.h"

namespace reports {
namespace {

struct PaperCase {
  TRepPaperSize size;
  std::string name;
  double width, length;
  int systemCode;
};

// Sizes in millimetres as the program lists its papers (the US sizes are inches times 25.4).
const PaperCase kCases[] = {
    {Default, "Default", 0, 0, 0},        {Letter, "Letter", 215.9, 279.4, 1},
    {Ledger, "Ledger", 431.8, 279.4, 4},  {Legal, "Legal", 215.9, 355.6, 5},
    {A3, "A3", 297, 420, 8},              {A4, "A4", 210, 297, 9},
    {A5, "A5", 148, 210, 11},             {B5, "B5", 182, 257, 13},
    {Note, "Note", 215.9, 279.0, 18},     {Env9, "Env9", 98.43, 225.4, 19},
    {Env14, "Env14", 127.0, 292.1, 23},   {ESheet, "ESheet", 100, 100, 26},
    {Custom, "Custom", 0, 0, 256},
};

TEST(PaperTable, HoldsTheSystemPapersInCodeOrder) {
  EXPECT_EQ(PaperTable().size(), 28u);
  for (size_t i = 0; i < PaperTable().size(); ++i) EXPECT_EQ(PaperTable()[i].Size, i);
  for (const PaperCase& c : kCases) {
    SCOPED_TRACE(c.name);
    const TPaperRow& row = PaperRow(c.size);
    EXPECT_EQ(row.Name, c.name);
    EXPECT_DOUBLE_EQ(row.WidthMM, c.width);
    EXPECT_DOUBLE_EQ(row.LengthMM, c.length);
    EXPECT_EQ(row.SystemCode, c.systemCode);
  }
}

// The codes 1 to 26 are what the printer driver understands: Qt maps them to its papers.
TEST(PaperTable, SystemCodesNameTheSamePaperForTheDriver) {
  for (TRepPaperSize size : {Letter, Legal, A3, A4, A5, Tabloid, Env10}) {
    const TPaperRow& row = PaperRow(size);
    SCOPED_TRACE(row.Name);
    const QSizeF mm = QPageSize(QPageSize::id(row.SystemCode)).size(QPageSize::Millimeter);
    EXPECT_NEAR(mm.width(), row.WidthMM, 0.5);
    EXPECT_NEAR(mm.height(), row.LengthMM, 0.5);
  }
}

TEST(PaperTable, AnUnknownCodeIsRefused) { EXPECT_THROW(PaperRow(TRepPaperSize(28)), std::out_of_range); }

TEST(LabelReportPaper, AStandardPaperSetsWidthAndLength) {
  TLabelReport report;
  report.SetUnits(Native);
  report.SetPaperSize(Letter);
  EXPECT_DOUBLE_EQ(report.PaperWidth(), 2159);
  EXPECT_DOUBLE_EQ(report.PaperLength(), 2794);
  report.SetPaperSize(Default);  // keeps the lengths: the printer's paper is used
  EXPECT_DOUBLE_EQ(report.PaperWidth(), 2159);
  report.SetPaperWidth(1000);
  EXPECT_EQ(report.PaperSize(), Custom);
}

struct UnitCase {
  TRepUnits units;
  double value;
  double tenths;
};

const UnitCase kUnitCases[] = {{MM, 10, 100}, {Inches, 1, 254}, {Native, 171.979, 171.979}, {Pixels, 96, 254}};

TEST(LabelReportUnits, LengthsAreReadAndWrittenInTheReportsUnits) {
  for (const UnitCase& c : kUnitCases) {
    SCOPED_TRACE(int(c.units));
    TLabelReport report;
    report.SetUnits(c.units);
    report.SetTopMargin(c.value);
    EXPECT_DOUBLE_EQ(report.TopMargin(), c.value);
    report.SetUnits(Native);
    EXPECT_DOUBLE_EQ(report.TopMargin(), c.tenths);
  }
}

}  // namespace
}  // namespace reports
