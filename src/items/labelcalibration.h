// A label printer's calibration: its resolution, the label's size, the home offset
// and the darkness. The parameter table holds them as text, each empty by default,
// and empty leaves the job as it has always been sent; checked and turned into dots
// they adjust the ZPL and EPL jobs and tell the label preview how the printer prints.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace items {

struct TLabelCalibration {
  std::string Dpi;
  std::string Width;   // millimetres
  std::string Length;  // millimetres
  std::string OffsetX;  // dots
  std::string OffsetY;  // dots
  std::string Darkness;
};

// A setting that is not one the printer takes; the message names the setting.
class ECalibration : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class TSettingKind { Resolution, Millimetres, Dots, Darkness };

// One setting: its field in the parameter table, its label in the parameters window
// (the messages name it so), where the calibration holds it and what it accepts.
struct TCalibrationSetting {
  const char* Field;
  const char* Label;
  std::string TLabelCalibration::*Member;
  TSettingKind Kind;
  int Min;
  int Max;  // for the darkness, the Zebra printer's; the Eltron's is kEplMaxDarkness
};

inline constexpr int kDefaultDpi = 203;
// The home position the ZPL job has always set; an offset replaces it.
inline constexpr char kZplHome[] = "^LH0,03";
inline constexpr int kEplMaxDarkness = 15;

// The settings in the order of their fields.
const std::vector<TCalibrationSetting>& CalibrationSettings();

// Raises ECalibration unless the text is empty or a value the setting accepts for
// the printer type ("E": the Eltron's darkness range).
void CheckCalibrationSetting(const TCalibrationSetting& setting, const std::string& text,
                             const std::string& printerType);

// The calibration checked and in dots; what is not set is absent (or 0 for the offsets).
struct TJobCalibration {
  int Dpi = kDefaultDpi;
  std::optional<int> WidthDots;
  std::optional<int> LengthDots;
  int OffsetX = 0;
  int OffsetY = 0;
  std::optional<int> Darkness;
};

TJobCalibration ResolveCalibration(const TLabelCalibration& calibration, const std::string& printerType);

// Millimetres as whole printer dots at the resolution.
int DotsOf(double millimetres, int dpi);

// The job's lines with the calibration put in; with nothing set they stay as they are.
// Raises ECalibration for an offset the language cannot send.
void CalibrateZpl(std::vector<std::string>& lines, const TJobCalibration& calibration);
void CalibrateEpl(std::vector<std::string>& lines, const TJobCalibration& calibration);

}  // namespace items
