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

TLabel ReadLabelJob(const std::string& printerType, const std::vector<std::string>& lines, int dpi) {
  if (printerType == "Z") return ReadZplJob(lines, dpi);
  if (printerType == "E") return ReadEplJob(lines, dpi);
  throw ELabelPreview("Label preview cannot show a job for the printer type \"" + printerType + "\"");
}

}  // namespace labelimage
