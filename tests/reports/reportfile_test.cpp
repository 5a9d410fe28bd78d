// The saved report file's header and page records as bytes, and its time stamp: days
// since 1899-12-30 in local time, the time of day as fraction.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <ctime>

#include "reports/reportfile.h"

namespace reports {
namespace {

TEST(ReportFile, TheHeaderIs124BytesWithCountTimeAndNoCompression) {
  const std::vector<uint8_t> header = ReportHeader(7, 45678.25);
  ASSERT_EQ(header.size(), 124u);
  const std::vector<uint8_t> start{3, 0, 0x30, 0x01};  // 3 and 304, little-endian
  EXPECT_EQ(std::vector<uint8_t>(header.begin(), header.begin() + 4), start);
  EXPECT_EQ(ReadI32(&header[8]), 7);
  EXPECT_DOUBLE_EQ(ReadDouble(&header[12]), 45678.25);
  EXPECT_EQ(header[21], 0);
}

TEST(ReportFile, APageRecordPointsForwardAndBack) {
  const std::vector<uint8_t> picture(100, 0xAB);
  const std::vector<uint8_t> record = PageRecord(2, 1000, picture);
  ASSERT_EQ(record.size(), 112u);
  EXPECT_EQ(ReadI32(&record[0]), 2);
  EXPECT_EQ(ReadI32(&record[4]), 1112);
  EXPECT_EQ(record[8], 0xAB);
  EXPECT_EQ(record[107], 0xAB);
  EXPECT_EQ(ReadI32(&record[108]), 1000);
}

TEST(ReportFile, TheTimeIsLocalDaysSince1899) {
  const double stamp = DateTimeNow();
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  using namespace std::chrono;
  const sys_days today{year{local.tm_year + 1900} / month{unsigned(local.tm_mon + 1)} / day{unsigned(local.tm_mday)}};
  const sys_days epoch{year{1899} / December / day{30}};
  const double secondsOfDay = local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec;
  EXPECT_NEAR(stamp, double((today - epoch).count()) + secondsOfDay / 86400, 2.0 / 86400);
}

}  // namespace
}  // namespace reports
