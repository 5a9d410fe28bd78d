#include "labelimage/label.h"

#include <charconv>
#include <cmath>

#include "labelimage/eplreader.h"
#include "labelimage/zplreader.h"

namespace labelimage {

void RefuseCommand(const std::string& command) {
  throw ELabelPreview("Label preview cannot show the command " + command);
}

int MillimetresToDots(double millimetres, int dpi) { return static_cast<int>(std::lround(millimetres * dpi / 25.4)); }

int IntParameter(const std::string& text, int fallback) {
  double value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || text.empty() || !std::isfinite(value) || std::fabs(value) > 1e6) return fallback;
  return static_cast<int>(value);
}

std::vector<std::string> SplitParameters(const std::string& text) {
  std::vector<std::string> parameters;
  size_t start = 0;
  while (true) {
    const size_t comma = text.find(',', start);
    parameters.push_back(text.substr(start, comma - start));
    if (comma == std::string::npos) return parameters;
    start = comma + 1;
  }
}

void CheckLabelSize(const TLabel& label) {
  const bool fits = label.Width > 0 && label.Length > 0 && label.Gap >= 0 &&
                    label.Width <= MillimetresToDots(kLargestWidthMm, label.Dpi) &&
                    label.Length <= MillimetresToDots(kLargestLengthMm, label.Dpi) &&
                    label.Gap <= MillimetresToDots(kLargestLengthMm, label.Dpi);
  if (!fits)
    throw ELabelPreview("Label preview cannot show a label of " + std::to_string(label.Width) + " by " +
                        std::to_string(label.Length) + " dots with a gap of " + std::to_string(label.Gap));
}

TLabel ReadLabelJob(const std::string& printerType, const std::vector<std::string>& lines, int dpi) {
  if (printerType == "Z" || printerType == "E") {
    TLabel label = printerType == "Z" ? ReadZplJob(lines, dpi) : ReadEplJob(lines, dpi);
    CheckLabelSize(label);
    return label;
  }
  throw ELabelPreview("Label preview cannot show a job for the printer type \"" + printerType + "\"");
}

}  // namespace labelimage
