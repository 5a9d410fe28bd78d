#include "items/labelcalibration.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>

#include "items/shoptables.h"

namespace items {
namespace {

using K = TSettingKind;

// The home position's y in kZplHome, and the furthest a label top shift moves the
// format up (ZPL II Programming Guide, ^LT Label Top: -120 to 120).
constexpr int kZplHomeY = 3;
constexpr int kZplMaxTopShift = 120;
constexpr double kMillimetresPerInch = 25.4;

// A number as typed: whole, or for millimetres with up to two decimals after "." or ",".
std::optional<double> ReadNumber(const std::string& text, bool decimals) {
  std::string plain = text;
  std::ranges::replace(plain, ',', '.');
  const size_t point = plain.find('.');
  if (point != std::string::npos && (!decimals || plain.size() - point - 1 > 2 || point + 1 == plain.size()))
    return std::nullopt;
  double value = 0;
  const char* end = plain.data() + plain.size();
  auto [stop, error] = std::from_chars(plain.data(), end, value, std::chars_format::fixed);
  if (error != std::errc() || stop != end || plain.empty() || plain.front() == '+') return std::nullopt;
  return value;
}

int MaxFor(const TCalibrationSetting& setting, const std::string& printerType) {
  return setting.Kind == K::Darkness && printerType == "E" ? kEplMaxDarkness : setting.Max;
}

std::string RangeText(const TCalibrationSetting& setting, const std::string& printerType) {
  if (setting.Kind == K::Resolution) return "203, 300 or 600";
  const std::string range = std::to_string(setting.Min) + " to " + std::to_string(MaxFor(setting, printerType));
  return setting.Kind == K::Millimetres ? "a number from " + range : "a whole number from " + range;
}

// The setting's value; absent when its text is empty.
std::optional<double> SettingValue(const TCalibrationSetting& setting, const TLabelCalibration& calibration,
                                   const std::string& printerType) {
  const std::string& text = calibration.*setting.Member;
  CheckCalibrationSetting(setting, text, printerType);
  if (text.empty()) return std::nullopt;
  return ReadNumber(text, setting.Kind == K::Millimetres);
}

std::string Number(int value) { return std::to_string(value); }

// EPL lines are a command letter followed by its first parameter.
bool IsEplCommand(const std::string& line, char command) {
  return line.size() > 1 && line[0] == command && (std::isdigit(static_cast<unsigned char>(line[1])) != 0);
}

// "A30,30,..." with its origin moved by (dx, dy).
std::string ShiftOrigin(const std::string& line, int dx, int dy) {
  int x = 0;
  int y = 0;
  const char* end = line.data() + line.size();
  auto first = std::from_chars(line.data() + 1, end, x);
  auto second = std::from_chars(first.ptr + 1, end, y);
  x += dx;
  y += dy;
  if (x < 0 || y < 0)
    throw ECalibration("The offset moves the field \"" + line + "\" off the label; the Eltron printer takes no origin below 0");
  return line.substr(0, 1) + Number(x) + "," + Number(y) + std::string(second.ptr, end);
}

}  // namespace

const std::vector<TCalibrationSetting>& CalibrationSettings() {
  using C = TLabelCalibration;
  static const std::vector<TCalibrationSetting> settings{
      // Field           Label in the window    Held in       Kind            Min   Max
      {param::LABELDPI, "Label Resolution dpi", &C::Dpi, K::Resolution, 203, 600},
      {param::LABELW, "Label Width mm", &C::Width, K::Millimetres, 5, 220},
      {param::LABELL, "Label Length mm", &C::Length, K::Millimetres, 5, 990},
      {param::OFFSETX, "Offset X dots", &C::OffsetX, K::Dots, -200, 200},
      {param::OFFSETY, "Offset Y dots", &C::OffsetY, K::Dots, -200, 200},
      {param::DARKNESS, "Darkness", &C::Darkness, K::Darkness, 0, 30},
  };
  return settings;
}

void CheckCalibrationSetting(const TCalibrationSetting& setting, const std::string& text,
                             const std::string& printerType) {
  if (text.empty()) return;
  const std::optional<double> value = ReadNumber(text, setting.Kind == K::Millimetres);
  bool accepted = value && *value >= setting.Min && *value <= MaxFor(setting, printerType);
  if (setting.Kind == K::Resolution) accepted = value && (*value == 203 || *value == 300 || *value == 600);
  if (!accepted)
    throw ECalibration(std::string(setting.Label) + " must be " + RangeText(setting, printerType) + ", not \"" + text +
                       "\"");
}

int DotsOf(double millimetres, int dpi) { return static_cast<int>(std::lround(millimetres * dpi / kMillimetresPerInch)); }

TJobCalibration ResolveCalibration(const TLabelCalibration& calibration, const std::string& printerType) {
  const auto& settings = CalibrationSettings();
  auto value = [&](size_t index) { return SettingValue(settings[index], calibration, printerType); };
  TJobCalibration job;
  if (auto dpi = value(0)) job.Dpi = static_cast<int>(*dpi);
  if (auto width = value(1)) job.WidthDots = DotsOf(*width, job.Dpi);
  if (auto length = value(2)) job.LengthDots = DotsOf(*length, job.Dpi);
  job.OffsetX = static_cast<int>(value(3).value_or(0));
  job.OffsetY = static_cast<int>(value(4).value_or(0));
  if (auto darkness = value(5)) job.Darkness = static_cast<int>(*darkness);
  return job;
}

// ZPL: the offset goes into the home position where it stays at or above 0; the
// rest moves the whole format through label shift (^LS shifts left) and label top.
// Size and darkness are set-up commands of their own, so a job at the defaults
// keeps every line it had.
void CalibrateZpl(std::vector<std::string>& lines, const TJobCalibration& calibration) {
  auto home = std::ranges::find(lines, kZplHome);
  if (home == lines.end()) return;
  std::vector<std::string> setup;
  const int homeY = kZplHomeY + calibration.OffsetY;
  if (calibration.OffsetX != 0 || calibration.OffsetY != 0) {
    *home = "^LH" + Number(std::max(calibration.OffsetX, 0)) + "," +
            (calibration.OffsetY == 0 ? std::string("03") : Number(std::max(homeY, 0)));
  }
  if (calibration.OffsetX < 0) setup.push_back("^LS" + Number(-calibration.OffsetX));
  if (homeY < 0) {
    if (homeY < -kZplMaxTopShift)
      throw ECalibration("Offset Y dots must be at least " + Number(-kZplMaxTopShift - kZplHomeY) +
                         " for the Zebra printer");
    setup.push_back("^LT" + Number(homeY));
  }
  if (calibration.WidthDots) setup.push_back("^PW" + Number(*calibration.WidthDots));
  if (calibration.LengthDots) setup.push_back("^LL" + Number(*calibration.LengthDots));
  lines.insert(std::next(home), setup.begin(), setup.end());
  // ~SD takes two digits (ZPL II Programming Guide, ~SD Set Darkness: 00 to 30).
  if (calibration.Darkness) {
    const int darkness = *calibration.Darkness;
    lines.insert(lines.begin(), "~SD" + std::string(darkness < 10 ? "0" : "") + Number(darkness));
  }
}

// EPL: size and darkness replace the values of q, Q and D; an offset at or above 0
// moves the reference point (R), one below 0 moves the fields' origins.
void CalibrateEpl(std::vector<std::string>& lines, const TJobCalibration& calibration) {
  const int shiftX = std::min(calibration.OffsetX, 0);
  const int shiftY = std::min(calibration.OffsetY, 0);
  for (std::string& line : lines) {
    if (calibration.WidthDots && IsEplCommand(line, 'q')) line = "q" + Number(*calibration.WidthDots);
    if (calibration.LengthDots && IsEplCommand(line, 'Q'))
      line = "Q" + Number(*calibration.LengthDots) + line.substr(std::min(line.find(','), line.size()));
    if (calibration.Darkness && IsEplCommand(line, 'D')) line = "D" + Number(*calibration.Darkness);
    if ((shiftX != 0 || shiftY != 0) && (IsEplCommand(line, 'A') || IsEplCommand(line, 'B')))
      line = ShiftOrigin(line, shiftX, shiftY);
  }
  const int referenceX = std::max(calibration.OffsetX, 0);
  const int referenceY = std::max(calibration.OffsetY, 0);
  if (referenceX == 0 && referenceY == 0) return;
  auto top = std::ranges::find(lines, "ZT");
  lines.insert(top == lines.end() ? top : std::next(top), "R" + Number(referenceX) + "," + Number(referenceY));
}

}  // namespace items
