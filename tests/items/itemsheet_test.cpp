// Items read from spreadsheet files: hostile and ordinary files, each with what the
// import reports and, for the files it accepts, the values of their first item.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "items/csvfile.h"
#include "items/itemsheet.h"
#include "items/shoptables.h"

namespace items {
namespace {

using tables::TVariant;

struct TSheetCase {
  const char* Name;
  std::string Bytes;
  std::vector<std::string> Report;                       // restored, then refused lines
  std::vector<std::pair<const char*, TVariant>> First;  // values of the first accepted row
  std::vector<std::string> Unknown = {};
};

const std::string kBom = "\xEF\xBB\xBF";

const TSheetCase kSheets[] = {
    {"QuotesDelimitersAndBreaks",
     kBom + "FBarcode,FName,FSP\r\n4006381333931,\"Tea, \"\"green\"\"\",\"2.5\"\r\n"
            "4012345678901,\"two\nlines\",1\r\n5901234123457,after,3\r\n",
     {"line 3: FName: holds the control character 0x0A"},
     {{barmas::FName, std::string("Tea, \"green\"")}, {barmas::FSP, 2.5}}},
    {"LineNumbersCountBreaksInQuotes", "FBarcode,FName\n\"4006381333931\",\"a\r\nb\"\n12,x\n",
     {"line 2: FName: holds the control character 0x0D", "line 4: FBarcode: Barcode Should Be 13 Character"},
     {}},
    {"Windows1252Detected", "FBarcode;FName\n4006381333931;Caf\xE9 \x80\n",
     {},
     {{barmas::FName, std::string("Caf\xE9 \x80")}}},
    {"Utf8WithoutBomConverted", "fbarcode,fname\n4006381333931,Caf\xC3\xA9 \xE2\x82\xAC\n",
     {},
     {{barmas::FName, std::string("Caf\xE9 \x80")}}},
    {"CharacterOutsideTheCodePage", "FBarcode,FName\n4006381333931,\xC4\x80\n",
     {"line 2: FName: holds the character U+0100, which Windows-1252 lacks"},
     {}},
    {"SemicolonsWithDecimalCommas", "Barcode;Item Description;Selling Price;Cost;Bar Code Qty\n"
                                    "4006381333931;Tea;1,25;0,5;12\n",
     {},
     {{barmas::FSP, 1.25}, {barmas::FCost, 0.5}, {barmas::FBarQty, 12.0}, {barmas::FItcode, TVariant{}}}},
    {"OverlongNameAndBadNumber",
     "FBarcode,FName,FBarQty\n4006381333931," + std::string(41, 'n') + ",1\n4012345678901," +
         std::string(40, 'n') + ",many\n5901234123457,ok,\n",
     {"line 2: FName: longer than 40 characters", "line 3: FBarQty: not a number: many"},
     {{barmas::FBarQty, TVariant{}}}},
    {"UnknownColumnsIgnored", "Barcode,Colour,,Our Item code\n4006381333931,red,,IT-1\n",
     {},
     {{barmas::FItcode, std::string("IT-1")}},
     {"Colour", "column 3 (no name)"}},
    {"LostLeadingZeros",
     "FBarcode\n12345678905\n400638133393\n1234567890\n5.90123E+12\n\"4,00638E12\"\n"
     "40063813339310\n",
     {"line 2: leading zeros restored: 0012345678905",
      "line 4: FBarcode: Barcode Should Be 13 Character",
      "line 5: FBarcode: in exponent notation (5.90123E+12), so its digits are lost",
      "line 6: FBarcode: in exponent notation (4,00638E12), so its digits are lost",
      "line 7: FBarcode: longer than 13 characters"},
     {{barmas::FBarcode, std::string("0012345678905")}}},
    {"BarcodeTwiceRefusedOnBothLines",
     "FBarcode,FName\n4006381333931,a\n4012345678901,b\n4006381333931,c\n,d\n",
     {"line 2: FBarcode: 4006381333931 appears more than once (lines 2, 4)",
      "line 4: FBarcode: 4006381333931 appears more than once (lines 2, 4)", "line 5: FBarcode: no barcode"},
     {{barmas::FName, std::string("b")}}},
    {"RowsOfTheWrongWidth", "FBarcode,FName\n4006381333931\n4012345678901,b,,\n5901234123457,c,x\n",
     {"line 2: row: 1 fields where the header has 2", "line 4: row: 3 fields where the header has 2"},
     {{barmas::FName, std::string("b")}}},
};

void PrintTo(const TSheetCase& c, std::ostream* os) { *os << c.Name; }

class ItemSheetFiles : public testing::TestWithParam<TSheetCase> {};

TEST_P(ItemSheetFiles, ReportAndValuesAreTheTypedItemsRules) {
  const TSheetCase& c = GetParam();
  const TItemSheet sheet = CheckItemSheet(ParseCsv(c.Bytes));
  std::vector<std::string> report = sheet.Restored;
  report.insert(report.end(), sheet.Refused.begin(), sheet.Refused.end());
  EXPECT_EQ(report, c.Report);
  EXPECT_EQ(sheet.UnknownColumns, c.Unknown);
  if (c.First.empty()) return;
  ASSERT_FALSE(sheet.Rows.empty());
  for (const auto& [field, value] : c.First) EXPECT_EQ(sheet.Rows[0].Values[ItemFieldIndex(field)], value) << field;
}

INSTANTIATE_TEST_SUITE_P(Files, ItemSheetFiles, testing::ValuesIn(kSheets),
                         [](const auto& info) { return std::string(info.param.Name); });

struct TRefusedFile {
  const char* Name;
  std::string Bytes;
  std::string Message;
};

const TRefusedFile kRefusedFiles[] = {
    {"Empty", "", "The file is empty: it has no header row naming the fields"},
    {"OnlyBlankLines", "\r\n\r\n", "The file is empty: it has no header row naming the fields"},
    {"NoBarcodeColumn", "FName,FSP\nTea,1\n", "The file has no barcode column (FBarcode or \"Barcode\"); nothing was imported"},
    {"FieldNamedTwice", "FBarcode,fname,Item Description\n1,2,3\n",
     "The file names the field FName twice (columns 2 and 3); nothing was imported"},
    {"CutOffMidRow", "FBarcode,FName,FSP\n4006381333931,a,1\n4012345678901,b",
     "line 3: the file ends in the middle of this row; it was cut off"},
    {"CutOffInsideQuotes", "FBarcode,FName\n4006381333931,a\n4012345678901,\"b\r\nc",
     "line 3: the file ends inside a quoted field; it was cut off"},
};

void PrintTo(const TRefusedFile& c, std::ostream* os) { *os << c.Name; }

class RefusedItemFiles : public testing::TestWithParam<TRefusedFile> {};

TEST_P(RefusedItemFiles, AreRefusedWholeWithTheReason) {
  try {
    CheckItemSheet(ParseCsv(GetParam().Bytes));
    FAIL() << "accepted";
  } catch (const std::runtime_error& e) {
    EXPECT_EQ(std::string(e.what()), GetParam().Message);
  }
}

INSTANTIATE_TEST_SUITE_P(Files, RefusedItemFiles, testing::ValuesIn(kRefusedFiles),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(CsvField, QuotesOnlyWhatASpreadsheetWouldMisread) {
  const std::pair<const char*, const char*> cases[] = {
      {"plain", "plain"}, {"a,b", "\"a,b\""}, {"say \"hi\"", "\"say \"\"hi\"\"\""}, {" lead", "\" lead\""},
      {"a;b", "a;b"},     {"", ""},
  };
  for (const auto& [text, written] : cases) EXPECT_EQ(CsvField(text, ','), written) << text;
}

TEST(Ean13, CheckDigit) {
  EXPECT_TRUE(IsValidEan13("4006381333931"));
  EXPECT_TRUE(IsValidEan13("0012345678905"));
  EXPECT_FALSE(IsValidEan13("4006381333932"));
  EXPECT_FALSE(IsValidEan13("400638133393"));
  EXPECT_FALSE(IsValidEan13("400638133393a"));
}

}  // namespace
}  // namespace items
