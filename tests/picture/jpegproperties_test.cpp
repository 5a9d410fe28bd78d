#include "picture/jpegproperties.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace picture {
namespace {

struct TSetterCase {
  const char* Name;
  TJPEGPropertyCode Code;
  std::function<void(TJPEGProperties&)> SetNew;     // a value other than the default
  std::function<void(TJPEGProperties&)> SetCurrent;  // the default again
  std::function<bool(const TJPEGProperties&)> HasNew;
};

const std::vector<TSetterCase>& SetterCases() {
  static const std::vector<TSetterCase> cases = {
      {"GrayScale", jpcGrayScale, [](auto& p) { p.SetGrayScale(true); }, [](auto& p) { p.SetGrayScale(false); },
       [](const auto& p) { return p.GrayScale(); }},
      {"PixelFormat", jpcPixelFormat, [](auto& p) { p.SetPixelFormat(jf8Bit); },
       [](auto& p) { p.SetPixelFormat(jf24Bit); }, [](const auto& p) { return p.PixelFormat() == jf8Bit; }},
      {"ProgressiveDisplay", jpcProgressiveDisplay, [](auto& p) { p.SetProgressiveDisplay(true); },
       [](auto& p) { p.SetProgressiveDisplay(false); }, [](const auto& p) { return p.ProgressiveDisplay(); }},
      {"Performance", jpcPerformance, [](auto& p) { p.SetPerformance(jpBestSpeed); },
       [](auto& p) { p.SetPerformance(jpBestQuality); }, [](const auto& p) { return p.Performance() == jpBestSpeed; }},
      {"Scale", jpcScale, [](auto& p) { p.SetScale(jsQuarter); }, [](auto& p) { p.SetScale(jsFullSize); },
       [](const auto& p) { return p.Scale() == jsQuarter; }},
      {"Smoothing", jpcSmoothing, [](auto& p) { p.SetSmoothing(false); }, [](auto& p) { p.SetSmoothing(true); },
       [](const auto& p) { return !p.Smoothing(); }},
  };
  return cases;
}

TEST(JPEGProperties, DefaultsAreColourTwentyFourBitFullSizeBestQualitySmoothed) {
  TJPEGProperties properties;
  EXPECT_FALSE(properties.GrayScale());
  EXPECT_EQ(properties.PixelFormat(), jf24Bit);
  EXPECT_FALSE(properties.ProgressiveDisplay());
  EXPECT_EQ(properties.Performance(), jpBestQuality);
  EXPECT_EQ(properties.Scale(), jsFullSize);
  EXPECT_TRUE(properties.Smoothing());
}

TEST(JPEGProperties, NewValueIsStoredAndReportedWithItsCodeOnce) {
  for (const auto& c : SetterCases()) {
    SCOPED_TRACE(c.Name);
    TJPEGProperties properties;
    std::vector<TJPEGPropertyCode> codes;
    properties.OnChange = [&](TJPEGPropertyCode code) { codes.push_back(code); };
    c.SetNew(properties);
    EXPECT_TRUE(c.HasNew(properties));
    EXPECT_EQ(codes, std::vector<TJPEGPropertyCode>{c.Code});
    // Only the one option moved.
    TJPEGOptions expected;
    CopyOption(expected, properties.Options(), c.Code);
    EXPECT_EQ(properties.Options(), expected);
  }
}

TEST(JPEGProperties, SettingTheCurrentValueDoesNothing) {
  for (const auto& c : SetterCases()) {
    SCOPED_TRACE(c.Name);
    TJPEGProperties properties;
    int changes = 0;
    properties.OnChange = [&](TJPEGPropertyCode) { ++changes; };
    c.SetCurrent(properties);
    EXPECT_EQ(changes, 0);
    c.SetNew(properties);
    c.SetNew(properties);
    EXPECT_EQ(changes, 1);
    c.SetCurrent(properties);
    EXPECT_EQ(changes, 2);
    EXPECT_FALSE(c.HasNew(properties));
  }
}

}  // namespace
}  // namespace picture
