// The two label printer command languages as data: each job line is its literal
// text, the label value that follows it, the text after the value, and when it is sent.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "items/labelcalibration.h"

namespace items {

struct TLabelValues;

enum class TLabelValue { None, Name, Barcode, Price, Quantity };

enum class TSentWhen {
  Always,
  PriceAboveZero,
  // A value of the job holds a byte above 0x7F: the line selects Windows-1252, so
  // the printer reads those bytes as the program means them. Jobs of plain ASCII
  // go out without it, byte for byte as they always did.
  TextBeyondAscii,
};

struct TJobLine {
  constexpr TJobLine(std::string_view before, TLabelValue value = TLabelValue::None, std::string_view after = {},
                     TSentWhen sentWhen = TSentWhen::Always)
      : Before(before), Value(value), After(after), SentWhen(sentWhen) {}
  std::string_view Before;
  TLabelValue Value;
  std::string_view After;
  TSentWhen SentWhen;
};

struct TJobLanguage {
  std::string_view PrinterType;  // "Z" or "E"
  std::vector<TJobLine> Lines;
  // Rewrites a line whose value holds characters the printer would take as commands.
  std::string (*Escape)(const TJobLine& line, const std::string& value);
  // Puts the printer's calibration into the composed lines.
  void (*Calibrate)(std::vector<std::string>& lines, const TJobCalibration& calibration);
};

// The language that the printer type selects (exact match), or null.
const TJobLanguage* FindJobLanguage(const std::string& printerType);

// The label value that a line carries ("" for none), and the item field it comes from.
const std::string& ValueOf(TLabelValue value, const TLabelValues& values);
const char* FieldOf(TLabelValue value);

// One line of the job, with the value put in and escaped where needed.
std::string ComposeLine(const TJobLanguage& language, const TJobLine& line, const TLabelValues& values);

}  // namespace items
