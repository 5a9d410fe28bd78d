// Printable elements of a report: TRepPrintable (a box in 0.1 mm on the page and in
// pixels on the report form), TRepCustomLabel (a text), TRepDBText (a text from a field
// of a cursor). An element sits on a band, printed with the band's offset, or directly
// on the report, printed at each page end with offset (0, 0) from the paper's corner.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "graphics/canvas.h"
#include "reports/frame.h"
#include "reports/output.h"

namespace tables {
class TTable;
}

namespace reports {

class TLabelReport;
class TRepBand;

enum TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };

// Left, top, width and height in 0.1 mm, and the design zoom in percent.
struct TRepSize {
  double Left = 0;
  double Top = 0;
  double Width = 0;
  double Height = 0;
  int Zoom = 100;
};

class TRepPrintable {
 public:
  // The element registers with the band it sits in, or with the report itself.
  TRepPrintable(TLabelReport& report, TRepBand* band);
  virtual ~TRepPrintable();
  TRepPrintable(const TRepPrintable&) = delete;
  TRepPrintable& operator=(const TRepPrintable&) = delete;

  TLabelReport& ParentReport() const { return FReport; }
  TRepBand* ParentBand() const { return FBand; }

  TRepSize Size() const;
  void SetSizeLeft(double tenthsMM);
  void SetSizeTop(double tenthsMM);
  void SetSizeWidth(double tenthsMM);
  void SetSizeHeight(double tenthsMM);

  // The same box in pixels of the report form at the design zoom.
  int Left() const;
  int Top() const;
  int Width() const;
  int Height() const;
  void SetLeft(int pixels);
  void SetTop(int pixels);
  void SetWidth(int pixels);
  void SetHeight(int pixels);

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment alignment);
  bool AutoSize() const { return FAutoSize; }
  virtual void SetAutoSize(bool on);
  platform::TColor Color() const { return FColor; }
  void SetColor(platform::TColor color);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool on);
  TRepFrame Frame;
  bool Enabled = true;
  std::string Name;

  // Shows the element on the report form; the canvas is the element's own, in pixels
  // from its top-left corner. Null when the element has nowhere to paint.
  virtual void Paint(platform::TCanvas* canvas);
  // Output on a page, the offsets (0.1 mm) those of the band or page that carries it.
  virtual void PrintElement(TRepPage& page, double offsetX, double offsetY) = 0;

  // Asks the report form to show the element again.
  void Repaint();
  std::function<void(TRepPrintable&)> OnRepaintRequest;

 protected:
  // The element's box on the page in device pixels, for the given offsets.
  platform::TRect PageRect(const TRepPage& page, double offsetX, double offsetY) const;

 private:
  double FormToTenths(int pixels) const;
  int TenthsToForm(double tenths) const;

  TLabelReport& FReport;
  TRepBand* FBand;
  TRepSize FSize;
  TAlignment FAlignment = taLeftJustify;
  bool FAutoSize = false;
  platform::TColor FColor = platform::clWhite;
  bool FTransparent = false;
};

// A text in the report font.
class TRepCustomLabel : public TRepPrintable {
 public:
  using TRepPrintable::TRepPrintable;

  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& caption);
  bool WordWrap = true;
  bool AutoStretch = false;
  bool AlignToBand = false;
  // The text printed; by default the caption.
  virtual std::string PrintText() const { return FCaption; }
  // May change the text before it is printed (not while designing).
  std::function<void(TRepPrintable& sender, std::string& text)> OnPrint;

  void Paint(platform::TCanvas* canvas) override;
  void PrintElement(TRepPage& page, double offsetX, double offsetY) override;

 private:
  void DrawText(platform::TCanvas& canvas, const platform::TRect& box, const std::string& text) const;
  std::string FCaption;
};

// A text from a field of a cursor: the field's display text of the current record.
class TRepDBText : public TRepCustomLabel {
 public:
  using TRepCustomLabel::TRepCustomLabel;

  tables::TTable* DataSet() const { return FDataSet; }
  void SetDataSet(tables::TTable* table);
  const std::string& DataField() const { return FDataField; }
  void SetDataField(const std::string& field);
  // True when a data set and a field are set and the data set is open.
  bool HasFieldText() const;
  // The field's display text of the current record; empty without one.
  std::string FieldText() const;

  std::string PrintText() const override;

 private:
  tables::TTable* FDataSet = nullptr;
  std::string FDataField;
};

}  // namespace reports
