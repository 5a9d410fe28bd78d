#include "reports/printable.h"

#include "base/intmath.h"
#include "base/screen.h"
#include "reports/band.h"
#include "reports/labelreport.h"
#include "tables/tables.h"

namespace reports {

TRepPrintable::TRepPrintable(TLabelReport& report, TRepBand* band) : FReport(report), FBand(band) {
  if (FBand)
    FBand->AddElement(*this);
  else
    FReport.AddElement(*this);
}

TRepPrintable::~TRepPrintable() {
  if (FBand)
    FBand->RemoveElement(*this);
  else
    FReport.RemoveElement(*this);
}

TRepSize TRepPrintable::Size() const {
  TRepSize size = FSize;
  size.Zoom = FReport.Zoom();
  return size;
}

void TRepPrintable::SetSizeLeft(double tenthsMM) { FSize.Left = tenthsMM; }
void TRepPrintable::SetSizeTop(double tenthsMM) { FSize.Top = tenthsMM; }
void TRepPrintable::SetSizeWidth(double tenthsMM) { FSize.Width = tenthsMM; }
void TRepPrintable::SetSizeHeight(double tenthsMM) { FSize.Height = tenthsMM; }

// The form shows 0.1 mm at the screen's resolution times the design zoom.
double TRepPrintable::FormToTenths(int pixels) const {
  return pixels * TenthsMMPerInch / platform::ScreenPixelsPerInch() * 100.0 / FReport.Zoom();
}

int TRepPrintable::TenthsToForm(double tenths) const {
  return platform::Round(tenths * platform::ScreenPixelsPerInch() / TenthsMMPerInch * FReport.Zoom() / 100.0);
}

int TRepPrintable::Left() const { return TenthsToForm(FSize.Left); }
int TRepPrintable::Top() const { return TenthsToForm(FSize.Top); }
int TRepPrintable::Width() const { return TenthsToForm(FSize.Width); }
int TRepPrintable::Height() const { return TenthsToForm(FSize.Height); }

// Setting a pixel value the box already has keeps the stored 0.1 mm value exact.
void TRepPrintable::SetLeft(int pixels) {
  if (pixels != Left()) FSize.Left = FormToTenths(pixels);
}
void TRepPrintable::SetTop(int pixels) {
  if (pixels != Top()) FSize.Top = FormToTenths(pixels);
}
void TRepPrintable::SetWidth(int pixels) {
  if (pixels != Width()) FSize.Width = FormToTenths(pixels);
}
void TRepPrintable::SetHeight(int pixels) {
  if (pixels != Height()) FSize.Height = FormToTenths(pixels);
}

void TRepPrintable::SetAlignment(TAlignment alignment) {
  FAlignment = alignment;
  Repaint();
}

void TRepPrintable::SetAutoSize(bool on) {
  FAutoSize = on;
  Repaint();
}

void TRepPrintable::SetColor(platform::TColor color) {
  FColor = color;
  Repaint();
}

void TRepPrintable::SetTransparent(bool on) {
  FTransparent = on;
  Repaint();
}

void TRepPrintable::Paint(platform::TCanvas* canvas) {
  if (!canvas || FTransparent) return;
  canvas->Brush.SetColor(FColor);
  canvas->FillRect(platform::TRect{0, 0, Width(), Height()});
}

void TRepPrintable::Repaint() {
  if (OnRepaintRequest) OnRepaintRequest(*this);
}

platform::TRect TRepPrintable::PageRect(const TRepPage& page, double offsetX, double offsetY) const {
  return platform::TRect{page.PX(FSize.Left + offsetX), page.PY(FSize.Top + offsetY),
                         page.PX(FSize.Left + offsetX + FSize.Width), page.PY(FSize.Top + offsetY + FSize.Height)};
}

void TRepCustomLabel::SetCaption(const std::string& caption) {
  if (caption == FCaption) return;
  FCaption = caption;
  Repaint();
}

void TRepCustomLabel::DrawText(platform::TCanvas& canvas, const platform::TRect& box, const std::string& text) const {
  const TRepFont& font = ParentReport().Font;
  canvas.Font.SetName(font.Name);
  // The report font is designed in screen pixels; the page may have another resolution.
  canvas.Font.SetHeight(platform::MulDiv(font.Height, canvas.LogPixelsY(), platform::ScreenPixelsPerInch()));
  canvas.SetBkMode(platform::TRANSPARENT);
  const int textWidth = canvas.TextWidth(text);
  int x = box.Left;
  if (Alignment() == taRightJustify) x = box.Right - textWidth;
  if (Alignment() == taCenter) x = box.Left + (box.Width() - textWidth) / 2;
  const uint32_t previousAlign = canvas.SetTextAlign(platform::TA_LEFT | platform::TA_TOP);
  canvas.TextOut(x, box.Top, text);
  canvas.SetTextAlign(previousAlign);
}

void TRepCustomLabel::Paint(platform::TCanvas* canvas) {
  TRepPrintable::Paint(canvas);
  if (canvas) DrawText(*canvas, platform::TRect{0, 0, Width(), Height()}, FCaption);
}

void TRepCustomLabel::PrintElement(TRepPage& page, double offsetX, double offsetY) {
  std::string text = PrintText();
  if (OnPrint && !ParentReport().Designing()) OnPrint(*this, text);
  const platform::TRect box = PageRect(page, offsetX, offsetY);
  platform::TCanvas& canvas = page.Canvas();
  if (!Transparent()) {
    canvas.Brush.SetColor(Color());
    canvas.FillRect(box);
  }
  DrawText(canvas, box, text);
  Frame.Draw(canvas, box);
}

void TRepDBText::SetDataSet(tables::TTable* table) {
  FDataSet = table;
  Repaint();
}

void TRepDBText::SetDataField(const std::string& field) {
  FDataField = field;
  Repaint();
}

bool TRepDBText::HasFieldText() const { return FDataSet && !FDataField.empty() && FDataSet->Active(); }

std::string TRepDBText::FieldText() const {
  if (!HasFieldText()) return {};
  return FDataSet->FieldByName(FDataField).AsString();
}

std::string TRepDBText::PrintText() const { return HasFieldText() ? FieldText() : Caption(); }

}  // namespace reports
