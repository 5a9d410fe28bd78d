// A thermal label as the printer builds it from a job: its size and gap in dots, the
// text fields and EAN-13 symbols at their dot positions, the quantity. The readers
// (zplreader.h, eplreader.h) fill it from the job's own lines; the drawing draws it.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace labelimage {

// A command of the job the preview does not know: it is never guessed at.
class ELabelPreview : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// "Label preview cannot show the command X".
[[noreturn]] void RefuseCommand(const std::string& command);

struct TTextField {
  int X = 0;  // top left of the first character cell, in dots from the label's corner
  int Y = 0;
  int Height = 0;  // character cell, in dots
  int Width = 0;   // 0: the font's own width for that height
  std::string Text;  // Windows-1252
};

struct TBarcodeField {
  int X = 0;  // the first bar's left edge
  int Y = 0;  // the bars' top
  int ModuleWidth = 2;  // narrow bar, in dots
  int Height = 0;  // bars, in dots
  bool HumanReadable = true;  // the digits beneath the bars
  std::string Data;  // as sent; the engine takes its first 12 digits and adds the check digit
};

struct TLabel {
  int Dpi = 203;
  int Width = 0;   // dots
  int Length = 0;  // dots
  int Gap = 0;     // dots between this label and the next
  int Quantity = 1;
  std::optional<int> Darkness;
  std::vector<TTextField> Texts;
  std::vector<TBarcodeField> Barcodes;
};

// The label size a ZPL job that does not set it is shown with, and the gap (the printer's
// own settings, which the job does not carry): a 2 by 1.5 inch label, a 3 mm gap.
inline constexpr double kDefaultWidthMm = 50.8;
inline constexpr double kDefaultLengthMm = 38.1;
inline constexpr double kDefaultGapMm = 3;

int MillimetresToDots(double millimetres, int dpi);

// The largest label shown: the widest print head and the longest label the
// calibration takes, so a job cannot ask for a picture of gigabytes.
inline constexpr double kLargestWidthMm = 220;
inline constexpr double kLargestLengthMm = 990;

// Raises ELabelPreview when the label's size is not one a printer prints.
void CheckLabelSize(const TLabel& label);

// A whole number parameter, or fallback when it is empty or not a number (the printer
// keeps its value then).
int IntParameter(const std::string& text, int fallback);
// Parameters separated by commas.
std::vector<std::string> SplitParameters(const std::string& text);

// Reads a job for the printer type ("Z": ZPL, "E": EPL) at the printer's resolution;
// ELabelPreview for a command it does not know and for any other printer type.
TLabel ReadLabelJob(const std::string& printerType, const std::vector<std::string>& lines, int dpi);

}  // namespace labelimage
