// The label printer's calibration in the ZPL and EPL jobs, and the settings it refuses.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "items/labelcalibration.h"
#include "items/labeljob.h"

namespace items {
namespace {

using Lines = std::vector<std::string>;

const TLabelValues kMilk{"4006381333931", "Milk 1L", "3", "12.50", ""};

TLabelCalibration Calibration(std::string dpi, std::string width, std::string length, std::string x,
                              std::string y, std::string darkness) {
  return {std::move(dpi), std::move(width), std::move(length), std::move(x), std::move(y), std::move(darkness)};
}

TEST(Calibration, NothingSetOrZeroOffsetsLeaveBothJobsByteForByte) {
  for (const TLabelCalibration& c : {Calibration("", "", "", "", "", ""), Calibration("", "", "", "0", "0", ""),
                                     Calibration("300", "", "", "", "-0", "")}) {
    for (const char* type : {"Z", "E"})
      EXPECT_EQ(LabelJobLines(type, kMilk, '.', c), LabelJobLines(type, kMilk, '.')) << type << c.Dpi << c.OffsetY;
  }
}

TEST(Calibration, EachSettingChangesOnlyItsLines) {
  struct Case {
    TLabelCalibration calibration;
    Lines zplHead;  // the lines before the first field
    Lines eplHead;  // the lines before the first field
    std::string eplName;  // the first field
    std::string eplBarcode;
  };
  const std::string name = "A30,30,0,2,1,1,N,\"Milk 1L\"";
  const std::string barcode = "B30,60,0,E30,2,3,75,B,\"4006381333931\"";
  const Lines eplSetUp{"US", "N", "JB", "Q203,24", "q254", "D6", "S4", "ZT"};
  auto epl = [&](std::initializer_list<std::pair<size_t, std::string>> changed, std::string added = {}) {
    Lines lines = eplSetUp;
    for (const auto& [index, line] : changed) lines[index] = line;
    if (!added.empty()) lines.push_back(added);
    return lines;
  };
  const std::vector<Case> cases{
      {Calibration("", "", "", "20", "", ""), {"^XA", "^XB", "^LH20,03"}, epl({}, "R20,0"), name, barcode},
      {Calibration("", "", "", "", "10", ""), {"^XA", "^XB", "^LH0,13"}, epl({}, "R0,10"), name, barcode},
      {Calibration("", "", "", "15", "-3", ""), {"^XA", "^XB", "^LH15,0"}, epl({}, "R15,0"),
       "A30,27,0,2,1,1,N,\"Milk 1L\"", "B30,57,0,E30,2,3,75,B,\"4006381333931\""},
      {Calibration("", "", "", "-20", "", ""), {"^XA", "^XB", "^LH0,03", "^LS20"}, eplSetUp,
       "A10,30,0,2,1,1,N,\"Milk 1L\"", "B10,60,0,E30,2,3,75,B,\"4006381333931\""},
      {Calibration("", "", "", "-30", "-20", ""), {"^XA", "^XB", "^LH0,0", "^LS30", "^LT-17"}, eplSetUp,
       "A0,10,0,2,1,1,N,\"Milk 1L\"", "B0,40,0,E30,2,3,75,B,\"4006381333931\""},
      {Calibration("", "50", "30", "", "", ""), {"^XA", "^XB", "^LH0,03", "^PW400", "^LL240"},
       epl({{3, "Q240,24"}, {4, "q400"}}), name, barcode},
      {Calibration("300", "50,8", "25.4", "", "", ""), {"^XA", "^XB", "^LH0,03", "^PW600", "^LL300"},
       epl({{3, "Q300,24"}, {4, "q600"}}), name, barcode},
      {Calibration("600", "104", "", "", "", "7"), {"~SD07", "^XA", "^XB", "^LH0,03", "^PW2457"},
       epl({{4, "q2457"}, {5, "D7"}}), name, barcode},
      {Calibration("", "", "", "", "", "15"), {"~SD15", "^XA", "^XB", "^LH0,03"}, epl({{5, "D15"}}), name, barcode},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.zplHead.back());
    Lines zpl = LabelJobLines("Z", kMilk, '.', c.calibration);
    Lines defaultZpl = LabelJobLines("Z", kMilk, '.');
    ASSERT_EQ(zpl.size(), defaultZpl.size() - 3 + c.zplHead.size());
    EXPECT_EQ(Lines(zpl.begin(), zpl.begin() + static_cast<long>(c.zplHead.size())), c.zplHead);
    // The fields and what follows them are sent as they always were.
    EXPECT_EQ(Lines(zpl.end() - 5, zpl.end()), Lines(defaultZpl.end() - 5, defaultZpl.end()));

    Lines epl = LabelJobLines("E", kMilk, '.', c.calibration);
    ASSERT_EQ(epl.size(), c.eplHead.size() + 5);
    EXPECT_EQ(Lines(epl.begin(), epl.begin() + static_cast<long>(c.eplHead.size())), c.eplHead);
    EXPECT_EQ(epl[c.eplHead.size()], c.eplName);
    EXPECT_EQ(epl[c.eplHead.size() + 1], c.eplBarcode);
    EXPECT_EQ(epl.back(), "P3");
  }
}

TEST(Calibration, SettingsThePrinterDoesNotTakeAreRefusedNamingThem) {
  struct Case {
    TLabelCalibration calibration;
    const char* type;
    std::string message;
  };
  const std::vector<Case> cases{
      {Calibration("200", "", "", "", "", ""), "Z", "Label Resolution dpi must be 203, 300 or 600, not \"200\""},
      {Calibration("", "4", "", "", "", ""), "E", "Label Width mm must be a number from 5 to 220, not \"4\""},
      {Calibration("", "", "50.255", "", "", ""), "Z", "Label Length mm must be a number from 5 to 990, not \"50.255\""},
      {Calibration("", "", "", "201", "", ""), "E", "Offset X dots must be a whole number from -200 to 200, not \"201\""},
      {Calibration("", "", "", "", "1.5", ""), "Z", "Offset Y dots must be a whole number from -200 to 200, not \"1.5\""},
      {Calibration("", "", "", "", "+5", ""), "Z", "Offset Y dots must be a whole number from -200 to 200, not \"+5\""},
      {Calibration("", "", "", "", "", "31"), "Z", "Darkness must be a whole number from 0 to 30, not \"31\""},
      {Calibration("", "", "", "", "", "16"), "E", "Darkness must be a whole number from 0 to 15, not \"16\""},
      {Calibration("", "", "", "", "", "x"), "E", "Darkness must be a whole number from 0 to 15, not \"x\""},
      {Calibration("", "", "", "", "-124", ""), "Z", "Offset Y dots must be at least -123 for the Zebra printer"},
      {Calibration("", "", "", "-31", "", ""), "E",
       "The offset moves the field \"A30,30,0,2,1,1,N,\"Milk 1L\"\" off the label; the Eltron printer takes no "
       "origin below 0"},
  };
  for (const Case& c : cases) {
    try {
      LabelJobLines(c.type, kMilk, '.', c.calibration);
      ADD_FAILURE() << "accepted: " << c.message;
    } catch (const ECalibration& error) {
      EXPECT_EQ(error.what(), c.message);
    }
  }
  // The limits themselves are taken.
  EXPECT_NO_THROW(LabelJobLines("Z", kMilk, '.', Calibration("600", "220", "5", "-200", "-123", "30")));
  EXPECT_NO_THROW(LabelJobLines("E", kMilk, '.', Calibration("203", "5", "990", "200", "200", "0")));
}

}  // namespace
}  // namespace items
