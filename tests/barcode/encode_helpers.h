// Shared helpers of the barcode engine tests: encode a text, read the modules back
// as a string of 0 and 1, and widen a 2:1 module string to 3:1.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

#include "barcode/llbarcode.h"

namespace barcode::test {

inline void SetText(char* buffer, size_t capacity, std::string_view text) {
  std::fill(buffer, buffer + capacity, '\0');
  std::copy(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(std::min(text.size(), capacity)), buffer);
}

template <size_t N>
void SetText(char (&buffer)[N], std::string_view text) {
  SetText(buffer, N, text);
}

inline TLLBarcode Encoded(btCodeTypes type, std::string_view caption, btCodeRatio ratio = Ratio_3,
                          std::string_view addon = "") {
  TLLBarcode barcode;
  barcode.Params.CodeType = type;
  barcode.Params.Ratio = ratio;
  SetText(barcode.Params.Caption, caption);
  SetText(barcode.Params.CodeAddon, addon);
  barcode.Encode();
  return barcode;
}

inline std::string ModuleString(const TLLBarcode& barcode, int from = 0) {
  std::string modules;
  for (int i = from; i < barcode.ModuleCount; ++i) modules.push_back(barcode.Modules[i] ? '1' : '0');
  return modules;
}

inline std::string EncodedTextOf(const TLLBarcode& barcode) { return barcode.EncodedText; }

// A module string drawn at 2:1 has wide elements as runs of exactly 2; at 3:1 the
// same symbol has them as runs of 3.
inline std::string WidenedTo3(std::string_view ratio2) {
  std::string widened;
  for (size_t i = 0; i < ratio2.size();) {
    size_t run = 1;
    while (i + run < ratio2.size() && ratio2[i + run] == ratio2[i]) ++run;
    widened.append(run == 2 ? 3 : run, ratio2[i]);
    i += run;
  }
  return widened;
}

}  // namespace barcode::test
