// The ZPL and EPL jobs, line for line, and the number texts they are built from.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "items/labeljob.h"
#include "items/numbertext.h"

namespace items {
namespace {

using Lines = std::vector<std::string>;

TLabelValues Item(std::string name, std::string barcode, std::string price, std::string quantity) {
  return {std::move(barcode), std::move(name), std::move(quantity), std::move(price), "pic.jpg"};
}

TEST(LabelJobLines, ZplWithPrice) {
  EXPECT_EQ(LabelJobLines("Z", Item("Milk 1L", "4006381333931", "12.50", "3"), '.'),
            (Lines{"^XA", "^XB", "^LH0,03", "^BY1.0,10,,^FO15,84^AP,22,N,N,N^FDMilk 1L^FS",
                   "^BY2,3.0,2,^FO50,160^AP^BEN,70,Y,N^FD4006381333931^FS",
                   "^BY1.0,10,,^FO42,122^AP,30,N,N,N^FDDhs.12.50^FS", "^PQ3", "^XZ"}));
}

TEST(LabelJobLines, EplWithPrice) {
  EXPECT_EQ(LabelJobLines("E", Item("Milk 1L", "4006381333931", "12.50", "3"), '.'),
            (Lines{"US", "N", "JB", "Q203,24", "q254", "D6", "S4", "ZT", "A30,30,0,2,1,1,N,\"Milk 1L\"",
                   "B30,60,0,E30,2,3,75,B,\"4006381333931\"", "A40,160,0,4,1,1,N,\"Dhs.\"",
                   "A100,160,0,4,1,1,N,\"12.50\"", "P3"}));
}

TEST(LabelJobLines, NoPriceLinesUnlessThePriceIsAboveZero) {
  struct Case {
    std::string price;
    char separator;
    size_t zplLines;
    size_t eplLines;
  };
  for (const Case& c : std::vector<Case>{{"0.00", '.', 7, 11},
                                         {"-1.50", '.', 7, 11},
                                         {"0.01", '.', 8, 13},
                                         {"12,50", ',', 8, 13},
                                         {"0,00", ',', 7, 11}}) {
    SCOPED_TRACE(c.price);
    TLabelValues values = Item("Tea", "123", c.price, "0");
    Lines zpl = LabelJobLines("Z", values, c.separator);
    Lines epl = LabelJobLines("E", values, c.separator);
    EXPECT_EQ(zpl.size(), c.zplLines);
    EXPECT_EQ(epl.size(), c.eplLines);
    EXPECT_EQ(zpl.back(), "^XZ");
    EXPECT_EQ(epl.back(), "P0");
  }
}

TEST(LabelJobLines, OnlyExactlyZOrESelectsAJob) {
  for (const char* type : {"z", "e", "Z ", " E", "", "ZE", "X"})
    EXPECT_TRUE(LabelJobLines(type, Item("a", "1", "1.00", "1"), '.').empty()) << '"' << type << '"';
}

TEST(LabelJobLines, ZplValuesWithCommandCharactersAreHexEscaped) {
  Lines lines = LabelJobLines("Z", Item("50% ^off~ a_b", "12^34", "1.00", "1"), '.');
  EXPECT_EQ(lines[3], "^BY1.0,10,,^FO15,84^AP,22,N,N,N^FH^FD50% _5Eoff_7E a_5Fb^FS");
  EXPECT_EQ(lines[4], "^BY2,3.0,2,^FO50,160^AP^BEN,70,Y,N^FH^FD12_5E34^FS");
  // An underscore alone needs no field-hex mode and stays as typed.
  EXPECT_EQ(LabelJobLines("Z", Item("a_b", "1", "1.00", "1"), '.')[3], "^BY1.0,10,,^FO15,84^AP,22,N,N,N^FDa_b^FS");
}

TEST(LabelJobLines, EplQuotesAndBackslashesInQuotedDataAreEscaped) {
  Lines lines = LabelJobLines("E", Item("12\" pipe \\ 3", "12\"3", "1.00", "1"), '.');
  EXPECT_EQ(lines[8], "A30,30,0,2,1,1,N,\"12\\\" pipe \\\\ 3\"");
  EXPECT_EQ(lines[9], "B30,60,0,E30,2,3,75,B,\"12\\\"3\"");
}

// "Crème brûlée 5€" in Windows-1252, the bytes the printer gets.
const std::string kAnsiName = "Cr\xE8me br\xFBl\xE9\x65 5\x80";

TEST(LabelJobLines, ZplSelectsCodePage1252BeforeTheFieldsForTextBeyondAscii) {
  EXPECT_EQ(LabelJobLines("Z", Item(kAnsiName, "4006381333931", "12.50", "3"), '.'),
            (Lines{"^XA", "^XB", "^LH0,03", "^CI27", "^BY1.0,10,,^FO15,84^AP,22,N,N,N^FD" + kAnsiName + "^FS",
                   "^BY2,3.0,2,^FO50,160^AP^BEN,70,Y,N^FD4006381333931^FS",
                   "^BY1.0,10,,^FO42,122^AP,30,N,N,N^FDDhs.12.50^FS", "^PQ3", "^XZ"}));
}

TEST(LabelJobLines, EplSelectsCodePage1252BeforeTheFieldsForTextBeyondAscii) {
  EXPECT_EQ(LabelJobLines("E", Item(kAnsiName, "4006381333931", "12.50", "3"), '.'),
            (Lines{"US", "N", "JB", "Q203,24", "q254", "D6", "S4", "ZT", "I8,A,001",
                   "A30,30,0,2,1,1,N,\"" + kAnsiName + "\"", "B30,60,0,E30,2,3,75,B,\"4006381333931\"",
                   "A40,160,0,4,1,1,N,\"Dhs.\"", "A100,160,0,4,1,1,N,\"12.50\"", "P3"}));
}

TEST(LabelJobLines, TheCodePageLineOnlyForAByteAboveAscii) {
  struct Case {
    std::string name;
    std::string barcode;
    std::string price;
    bool codePage;
  };
  for (const Case& c : std::vector<Case>{{"Milk ~^_\"\\", "123", "1.00", false},
                                         {"\x7E", "1", "0.00", false},
                                         {"\x80", "1", "1.00", true},
                                         {"\xA0", "1", "0.00", true},
                                         {"Tea", "12\xE9", "0.00", true},
                                         {"\xFF^", "1", "1.00", true}}) {
    SCOPED_TRACE(c.name + " / " + c.barcode);
    TLabelValues values = Item(c.name, c.barcode, c.price, "1");
    Lines zpl = LabelJobLines("Z", values, '.');
    Lines epl = LabelJobLines("E", values, '.');
    EXPECT_EQ(std::count(zpl.begin(), zpl.end(), "^CI27"), c.codePage ? 1 : 0);
    EXPECT_EQ(std::count(epl.begin(), epl.end(), "I8,A,001"), c.codePage ? 1 : 0);
    if (c.codePage) {
      EXPECT_EQ(zpl[3], "^CI27");
      EXPECT_EQ(epl[8], "I8,A,001");
    }
  }
}

TEST(LabelJobLines, AValueWithAControlCharacterIsRefusedNamingItsField) {
  struct Case {
    TLabelValues values;
    std::string message;
  };
  auto refused = [](const char* field, const char* byte) {
    return std::string("Field ") + field + " holds the control character " + byte +
           ", which the printer would take as a command; nothing was sent";
  };
  for (const Case& c : std::vector<Case>{
           {Item("x\nP999", "1", "1.00", "1"), refused("FName", "0x0A")},
           {Item("a\rb", "1", "1.00", "1"), refused("FName", "0x0D")},
           {Item("a\tb\n", "1", "1.00", "1"), refused("FName", "0x09")},
           {Item("esc\x1B", "1", "1.00", "1"), refused("FName", "0x1B")},
           {Item("del\x7F", "1", "1.00", "1"), refused("FName", "0x7F")},
           {Item(std::string("a\0b", 3), "1", "1.00", "1"), refused("FName", "0x00")},
           {Item("\x81", "1", "1.00", "1"), refused("FName", "0x81")},
           {Item("\x9D", "1", "1.00", "1"), refused("FName", "0x9D")},
           {Item("a", "123\r\n^XZ", "1.00", "1"), refused("FBarcode", "0x0D")},
           {Item("a", "1", "1.00\n", "1"), refused("FSP", "0x0A")},
           {Item("a", "1", "1.00", "2\nP9"), refused("FBarQty", "0x0A")},
       }) {
    for (const char* type : {"Z", "E"}) {
      try {
        LabelJobLines(type, c.values, '.');
        ADD_FAILURE() << type << " accepted " << c.message;
      } catch (const ELabelValue& error) {
        EXPECT_EQ(error.what(), c.message) << type;
      }
    }
    // A printer type that selects no job still sends nothing and says nothing.
    EXPECT_TRUE(LabelJobLines("X", c.values, '.').empty());
  }
}

TEST(FormatFixed, RoundsHalfAwayFromZeroOnTheDecimalValue) {
  struct Case {
    double value;
    int decimals;
    char separator;
    const char* text;
  };
  for (const Case& c : std::vector<Case>{{12.5, 2, '.', "12.50"},
                                         {1.005, 2, '.', "1.01"},
                                         {0.004, 2, '.', "0.00"},
                                         {0.005, 2, '.', "0.01"},
                                         {9.995, 2, '.', "10.00"},
                                         {2.5, 0, '.', "3"},
                                         {3.5, 0, '.', "4"},
                                         {2.4999, 0, '.', "2"},
                                         {-2.5, 0, '.', "-3"},
                                         {-0.004, 2, '.', "0.00"},
                                         {0, 2, '.', "0.00"},
                                         {0, 0, '.', "0"},
                                         {1234567.891, 2, '.', "1234567.89"},
                                         {12.5, 2, ',', "12,50"},
                                         {1e20, 2, '.', "100000000000000000000.00"}}) {
    EXPECT_EQ(FormatFixed(c.value, c.decimals, c.separator), c.text) << c.value;
  }
}

TEST(FormatFixed, ReadsBackWithTheSameSeparator) {
  EXPECT_DOUBLE_EQ(ParseFixed("12,50", ','), 12.5);
  EXPECT_DOUBLE_EQ(ParseFixed("12.50", '.'), 12.5);
  EXPECT_DOUBLE_EQ(ParseFixed("-0.01", '.'), -0.01);
  EXPECT_DOUBLE_EQ(ParseFixed("", '.'), 0);
}

TEST(SpaceFill, GivesExactlyCountSpaces) {
  for (int count : {0, 1, 27, 28, 29, 56, 57, 400, 1000}) {
    std::string fill = SpaceFill(count);
    EXPECT_EQ(fill.size(), static_cast<size_t>(count));
    EXPECT_EQ(fill.find_first_not_of(' '), std::string::npos);
  }
  EXPECT_EQ(SpaceFill(-3), "");
}

}  // namespace
}  // namespace items
