// The barcode element of a report page: a data-aware text element whose text becomes a
// barcode. It shows the symbol on the report form at the design zoom and draws it at the
// page's own resolution when a page is produced; all barcode work goes to a private
// barcode control that is never shown. Its barcode always has ZoomSize on, so printed
// symbols get their exact nominal width.
#pragma once

#include <QString>
#include <memory>

#include "barcode/control/barcodecontrol.h"
#include "reports/printable.h"

class TRepBarcode : public reports::TRepDBText {
 public:
  using btCodeTypes = TCustomBarcode::btCodeTypes;
  using btCodeSizes = TCustomBarcode::btCodeSizes;
  using btCodeRatio = TCustomBarcode::btCodeRatio;
  using btCodeRotate = TCustomBarcode::btCodeRotate;

  static constexpr int kMaxCaptionLength = 50;

  explicit TRepBarcode(reports::TLabelReport& report, reports::TRepBand* band = nullptr);
  ~TRepBarcode() override;

  // The barcode properties pass to the inner control, with its checks and messages;
  // each successful change asks for a repaint.
  QString Bar_Caption() const { return InnerBarcode->Bar_Caption(); }
  void SetBar_Caption(const QString& caption);  // cut to its first 50 characters
  QString Bar_CodeAddon() const { return InnerBarcode->Bar_CodeAddon(); }
  void SetBar_CodeAddon(const QString& addon);
  btCodeTypes Bar_CodeType() const { return InnerBarcode->Bar_CodeType(); }
  void SetBar_CodeType(btCodeTypes type);
  int Bar_HeightPercent() const { return InnerBarcode->Bar_HeightPercent(); }
  void SetBar_HeightPercent(int percent);
  bool Bar_HumanReadable() const { return InnerBarcode->Bar_HumanReadable(); }
  void SetBar_HumanReadable(bool on);
  btCodeSizes Bar_ModuleWidth() const { return InnerBarcode->Bar_ModuleWidth(); }
  void SetBar_ModuleWidth(btCodeSizes size);
  btCodeRatio Bar_Ratio() const { return InnerBarcode->Bar_Ratio(); }
  void SetBar_Ratio(btCodeRatio ratio);
  btCodeRotate Bar_Rotation() const { return InnerBarcode->Bar_Rotation(); }
  void SetBar_Rotation(btCodeRotate rotation);
  bool Bar_PrintEmpty() const { return PrintEmpty; }
  void SetBar_PrintEmpty(bool on) { PrintEmpty = on; }  // a plain field: no repaint
  QString Bar_Fontname() const { return InnerBarcode->Bar_Fontname(); }
  void SetBar_Fontname(const QString& name);
  int Bar_FontScaling() const { return InnerBarcode->Bar_Fontscaling(); }
  void SetBar_FontScaling(int percent);

  // The field's display text when bound to an open data set, else Bar_Caption.
  QString CurrentText() const;

  void Paint(platform::TCanvas* canvas) override;
  void PrintElement(reports::TRepPage& page, double offsetX, double offsetY) override;

 private:
  // Sets the caption only when it differs, so painting requests no further painting.
  void TakeText(const QString& text);
  template <typename Setter>
  void Change(Setter setter) {
    setter(*InnerBarcode);
    Repaint();
  }

  bool PrintEmpty = false;
  std::unique_ptr<TCustomBarcode> InnerBarcode;
};
