// The two label printer command languages as data: each job line is its literal
// text, the label value that follows it, and the text after the value.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace items {

struct TLabelValues;

enum class TLabelValue { None, Name, Barcode, Price, Quantity };

struct TJobLine {
  constexpr TJobLine(std::string_view before, TLabelValue value = TLabelValue::None, std::string_view after = {},
                     bool priceOnly = false)
      : Before(before), Value(value), After(after), PriceOnly(priceOnly) {}
  std::string_view Before;
  TLabelValue Value;
  std::string_view After;
  bool PriceOnly;  // sent only for a price above zero
};

struct TJobLanguage {
  std::string_view PrinterType;  // "Z" or "E"
  std::vector<TJobLine> Lines;
  // Rewrites a line whose value holds characters the printer would take as commands.
  std::string (*Escape)(const TJobLine& line, const std::string& value);
};

// The language that the printer type selects (exact match), or null.
const TJobLanguage* FindJobLanguage(const std::string& printerType);

// One line of the job, with the value put in and escaped where needed.
std::string ComposeLine(const TJobLanguage& language, const TJobLine& line, const TLabelValues& values);

}  // namespace items
