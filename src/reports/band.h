// A band: a strip of the page printed as a whole, with the elements placed in it at the
// band's offset. The detail band is printed once per record, or once when the report
// has no data source and prints when empty; a child band follows its parent.
#pragma once

#include <cstdint>
#include <vector>

#include "graphics/canvas.h"
#include "reports/frame.h"
#include "reports/output.h"

namespace reports {

class TLabelReport;
class TRepPrintable;

enum TRepBandType : uint8_t { rbTitle, rbPageHeader, rbDetail, rbPageFooter, rbSummary, rbChild };

class TRepBand {
 public:
  TRepBand(TLabelReport& report, TRepBandType type);
  ~TRepBand();
  TRepBand(const TRepBand&) = delete;
  TRepBand& operator=(const TRepBand&) = delete;

  TRepBandType BandType() const { return FType; }
  double Height = 0;  // 0.1 mm
  double Width = 0;
  platform::TColor Color = platform::clWhite;
  TRepFrame Frame;
  bool ForceNewColumn = false;
  bool ForceNewPage = false;
  bool AlignToBottom = false;
  TRepBand* ChildBand = nullptr;  // printed right after this band, not owned

  const std::vector<TRepPrintable*>& Elements() const { return FElements; }
  void AddElement(TRepPrintable& element);
  void RemoveElement(TRepPrintable& element);

  // Fills the band's rectangle at (x, y) (0.1 mm from the paper's corner), prints its
  // elements with that offset, and draws its frame.
  void Print(TRepPage& page, double x, double y);

 private:
  TLabelReport& FReport;
  TRepBandType FType;
  std::vector<TRepPrintable*> FElements;
};

}  // namespace reports
