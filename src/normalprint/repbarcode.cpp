#include "normalprint/repbarcode.h"

#include "base/ansi.h"
#include "base/intmath.h"
#include "graphics/qt/qtcanvas.h"
#include "reports/labelreport.h"

namespace {

using platform::MulDiv;

// Measuring draws far outside anything visible.
constexpr int kMeasureOrigin = -10000;
// The report form's design resolution, which the anisotropic mapping scales from.
constexpr int kDesignPixelsPerInch = 96;

std::string ToAnsi(const QString& text) {
  return platform::Utf16ToAnsi(
      std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<size_t>(text.size())));
}

bool AcrossIsWidth(TRepBarcode::btCodeRotate rotation) {
  return rotation == TCustomBarcode::rotate_000 || rotation == TCustomBarcode::rotate_180;
}

// Puts the canvas back to plain pixels however the drawing ends.
class TZoomedCanvas {
 public:
  TZoomedCanvas(platform::TCanvas& canvas, int zoom) : FCanvas(canvas) {
    FCanvas.SetMapMode(platform::MM_ANISOTROPIC);
    FCanvas.SetWindowExtEx(kDesignPixelsPerInch, kDesignPixelsPerInch);
    const int viewport = MulDiv(kDesignPixelsPerInch, zoom, 100);
    FCanvas.SetViewportExtEx(viewport, viewport);
  }
  ~TZoomedCanvas() { FCanvas.SetMapMode(platform::MM_TEXT); }
  TZoomedCanvas(const TZoomedCanvas&) = delete;
  TZoomedCanvas& operator=(const TZoomedCanvas&) = delete;

 private:
  platform::TCanvas& FCanvas;
};

}  // namespace

TRepBarcode::TRepBarcode(reports::TLabelReport& report, reports::TRepBand* band)
    : TRepDBText(report, band), InnerBarcode(std::make_unique<TCustomBarcode>()) {
  TRepDBText::SetAutoSize(true);
  SetWidth(InnerBarcode->width());
  SetHeight(InnerBarcode->height());
  InnerBarcode->SetBar_ZoomSize(true);
}

TRepBarcode::~TRepBarcode() = default;

void TRepBarcode::SetBar_Caption(const QString& caption) {
  Change([&](TCustomBarcode& b) { b.SetBar_Caption(caption.left(kMaxCaptionLength)); });
}
void TRepBarcode::SetBar_CodeAddon(const QString& addon) {
  Change([&](TCustomBarcode& b) { b.SetBar_CodeAddon(addon); });
}
void TRepBarcode::SetBar_CodeType(btCodeTypes type) {
  Change([&](TCustomBarcode& b) { b.SetBar_CodeType(type); });
}
void TRepBarcode::SetBar_HeightPercent(int percent) {
  Change([&](TCustomBarcode& b) { b.SetBar_HeightPercent(percent); });
}
void TRepBarcode::SetBar_HumanReadable(bool on) {
  Change([&](TCustomBarcode& b) { b.SetBar_HumanReadable(on); });
}
void TRepBarcode::SetBar_ModuleWidth(btCodeSizes size) {
  Change([&](TCustomBarcode& b) { b.SetBar_ModuleWidth(size); });
}
void TRepBarcode::SetBar_Ratio(btCodeRatio ratio) {
  Change([&](TCustomBarcode& b) { b.SetBar_Ratio(ratio); });
}
void TRepBarcode::SetBar_Rotation(btCodeRotate rotation) {
  Change([&](TCustomBarcode& b) { b.SetBar_Rotation(rotation); });
}
void TRepBarcode::SetBar_Fontname(const QString& name) {
  Change([&](TCustomBarcode& b) { b.SetBar_Fontname(name); });
}
void TRepBarcode::SetBar_FontScaling(int percent) {
  Change([&](TCustomBarcode& b) { b.SetBar_Fontscaling(percent); });
}

QString TRepBarcode::CurrentText() const {
  if (HasFieldText()) return platform::AnsiToQString(FieldText());
  return Bar_Caption();
}

void TRepBarcode::TakeText(const QString& text) {
  const QString cut = text.left(kMaxCaptionLength);
  if (cut != Bar_Caption()) SetBar_Caption(cut);
}

void TRepBarcode::Paint(platform::TCanvas* canvas) {
  if (!canvas) return;
  canvas->Brush.SetColor(Color());
  canvas->FillRect(platform::TRect{0, 0, Width(), Height()});
  TakeText(CurrentText());
  const int zoom = Size().Zoom;
  const btCodeRotate rotation = Bar_Rotation();
  const bool across = AcrossIsWidth(rotation);
  platform::TSize drawn;
  {
    TZoomedCanvas zoomed(*canvas, zoom);
    if (AutoSize() || Alignment() == reports::taLeftJustify) {
      drawn = InnerBarcode->DrawTo(*canvas, 0, 0);
      if (AutoSize()) {
        if (across)
          SetWidth(MulDiv(drawn.cx, zoom, 100));
        else
          SetHeight(MulDiv(drawn.cy, zoom, 100));
      }
    } else {
      drawn = InnerBarcode->DrawTo(*canvas, kMeasureOrigin, kMeasureOrigin);
      const bool right = Alignment() == reports::taRightJustify;
      if (across) {
        const int box = MulDiv(Width(), 100, zoom);
        InnerBarcode->DrawTo(*canvas, right ? box - drawn.cx : (box - drawn.cx) / 2, 0);
      } else {
        const int box = MulDiv(Height(), 100, zoom);
        InnerBarcode->DrawTo(*canvas, 0, right ? box - drawn.cy : (box - drawn.cy) / 2);
      }
    }
  }
  // The box always takes the symbol's extent across the bars.
  if (across)
    SetHeight(MulDiv(drawn.cy, zoom, 100));
  else
    SetWidth(MulDiv(drawn.cx, zoom, 100));
}

void TRepBarcode::PrintElement(reports::TRepPage& page, double offsetX, double offsetY) {
  QString text = CurrentText();
  if (OnPrint && !ParentReport().Designing()) {
    std::string ansi = ToAnsi(text);
    OnPrint(*this, ansi);
    text = platform::AnsiToQString(ansi);
  }
  TakeText(text);
  if (Bar_Caption().isEmpty() && !PrintEmpty) return;

  const reports::TRepSize box = Size();
  const double left = box.Left + offsetX, top = box.Top + offsetY;
  platform::TCanvas& canvas = page.Canvas();
  canvas.Brush.SetColor(Color());
  canvas.FillRect(platform::TRect{page.PX(left), page.PY(top), page.PX(left + box.Width), page.PY(top + box.Height)});
  if (AutoSize() || Alignment() == reports::taLeftJustify) {
    InnerBarcode->DrawTo(canvas, page.PX(left), page.PY(top));
    return;
  }
  const platform::TSize drawn = InnerBarcode->DrawTo(canvas, kMeasureOrigin, kMeasureOrigin);
  const bool right = Alignment() == reports::taRightJustify;
  if (AcrossIsWidth(Bar_Rotation())) {
    const int x = right ? page.PX(left + box.Width) - drawn.cx : page.PX(left + box.Width * 0.5) - drawn.cx / 2;
    InnerBarcode->DrawTo(canvas, x, page.PY(top));
  } else {
    const int y = right ? page.PY(top + box.Height) - drawn.cy : page.PY(top + box.Height * 0.5) - drawn.cy / 2;
    InnerBarcode->DrawTo(canvas, page.PX(left), y);
  }
}
