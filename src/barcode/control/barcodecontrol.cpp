#include "barcode/control/barcodecontrol.h"

#include <QFileInfo>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QTimer>
#include <algorithm>
#include <cstring>
#include <exception>

#include "barcode/eoverflow.h"
#include "barcode/paramranges.h"
#include "barcode/textbuffer.h"
#include "base/ansi.h"
#include "base/intmath.h"
#include "base/messages.h"
#include "base/screen.h"
#include "graphics/qt/bitmapexport.h"
#include "graphics/qt/qtcanvas.h"
#include "graphics/qt/svgexport.h"

namespace {

using barcode::EOverflow;

std::string ToAnsi(const QString& text) {
  return platform::Utf16ToAnsi(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                                   static_cast<size_t>(text.size())));
}

// A record written directly need not terminate its texts: read up to the terminator
// or the end of the array, whichever comes first.
template <size_t N>
QString RecordText(const char (&text)[N]) {
  return platform::AnsiToQString(std::string_view(text, barcode::BoundedLength(text, N)));
}

// Keeps the digits only: five or more give the first five, two to four the first two,
// fewer than two nothing.
std::string NormalisedAddon(const std::string& text) {
  std::string digits;
  for (char c : text)
    if (c >= '0' && c <= '9') digits += c;
  if (digits.size() >= 5) return digits.substr(0, 5);
  if (digits.size() >= 2) return digits.substr(0, 2);
  return {};
}

// One SVG unit is 1/2000 mm: every module width, also halved for high density, is a
// whole number of units, so each bar is exactly its nominal width.
constexpr int kSvgUnitsPerInch = 50800;

constexpr TBarcodeFileKind kFileKinds[] = {{TBarcodeFileFormat::Bitmap, "BMP", "BMP file"},
                                           {TBarcodeFileFormat::Png, "PNG", "PNG file"},
                                           {TBarcodeFileFormat::Svg, "SVG", "SVG file"}};

// ".bmp, .png or .svg"
std::string ExtensionList() {
  std::string list;
  for (size_t i = 0; i < std::size(kFileKinds); ++i) {
    if (i > 0) list += i + 1 == std::size(kFileKinds) ? " or " : ", ";
    list += "." + QString(kFileKinds[i].Extension).toLower().toStdString();
  }
  return list;
}

TBarcodeFileFormat FormatOf(const QString& fileName) {
  const QString suffix = QFileInfo(fileName).suffix();
  for (const TBarcodeFileKind& kind : kFileKinds)
    if (suffix.compare(kind.Extension, Qt::CaseInsensitive) == 0) return kind.Format;
  throw EBarcodeFileFormat("Cannot save the barcode as \"" + fileName.toStdString() +
                           "\": the file name must end in " + ExtensionList());
}

template <size_t N>
void CopyText(char (&destination)[N], const std::string& text) {
  size_t length = std::min(text.size(), N - 1);
  std::memcpy(destination, text.data(), length);
  std::memset(destination + length, 0, N - length);
}

}  // namespace

std::span<const TBarcodeFileKind> BarcodeFileKinds() { return kFileKinds; }

TCustomBarcode::TCustomBarcode(QWidget* owner) : QWidget(owner) {
  resize(69, 66);
  setAccessibleName("Barcode");
}

QString TCustomBarcode::Bar_Caption() const { return RecordText(Params().Caption); }

void TCustomBarcode::SetBar_Caption(const QString& caption) {
  std::string text = ToAnsi(caption);
  if (text.size() > static_cast<size_t>(barcode::kMaxCodeTextLength)) throw EOverflow("String exceeds maximum length");
  CopyText(FLLBarcode.Params.Caption, text);
  Changed();
}

QString TCustomBarcode::Bar_CodeAddon() const { return RecordText(Params().CodeAddon); }

void TCustomBarcode::SetBar_CodeAddon(const QString& addon) {
  CopyText(FLLBarcode.Params.CodeAddon, NormalisedAddon(ToAnsi(addon)));
  Changed();
}

void TCustomBarcode::SetBar_CodeType(btCodeTypes type) {
  FLLBarcode.Params.CodeType = barcode::btCodeTypes(type);
  Changed();
}

QString TCustomBarcode::Bar_Fontname() const { return platform::AnsiToQString(Params().Fontname); }

void TCustomBarcode::SetBar_Fontname(const QString& name) {
  FLLBarcode.Params.Fontname = ToAnsi(name);
  Changed();
}

void TCustomBarcode::SetBar_Fontscaling(int percent) {
  barcode::kFontscalingRange.Check(percent);
  FLLBarcode.Params.Fontscaling = percent;
  Changed();
}

void TCustomBarcode::SetBar_HeightPercent(int percent) {
  barcode::kHeightPercentRange.Check(percent);
  FLLBarcode.Params.HeightPercent = percent;
  Changed();
}

void TCustomBarcode::SetBar_HighDensity(bool on) {
  FLLBarcode.Params.HighDensity = on;
  Changed();
}

void TCustomBarcode::SetBar_HumanReadable(bool on) {
  FLLBarcode.Params.HumanReadable = on;
  Changed();
}

void TCustomBarcode::SetBar_ModuleWidth(btCodeSizes size) {
  barcode::kModuleWidthRange.Check(uint8_t(size));
  FLLBarcode.Params.ModuleWidth = barcode::btCodeSizes(size);
  Changed();
}

void TCustomBarcode::SetBar_Ratio(btCodeRatio ratio) {
  barcode::kRatioRange.Check(uint8_t(ratio));
  FLLBarcode.Params.Ratio = barcode::btCodeRatio(ratio);
  Changed();
}

void TCustomBarcode::SetBar_Rotation(btCodeRotate rotation) {
  barcode::kRotationRange.Check(uint8_t(rotation));
  FLLBarcode.Params.Rotation = barcode::btCodeRotate(rotation);
  Changed();
}

void TCustomBarcode::SetBar_WidthReduce(bool on) {
  FLLBarcode.Params.WidthReduce = on;
  Changed();
}

void TCustomBarcode::SetBar_ZoomSize(bool on) {
  FLLBarcode.Params.ZoomSize = on;
  Changed();
}

void TCustomBarcode::Changed() {
  FPaintErrorShown = false;  // a new setting deserves its own report
  update();
}

platform::TSize TCustomBarcode::DrawTo(platform::TCanvas& canvas, int x, int y) {
  return FLLBarcode.DrawBarcode(canvas, x, y);
}

void TCustomBarcode::Paint(platform::TCanvas& canvas) {
  platform::TSize size = DrawTo(canvas, 0, 0);
  resize(size.cx, size.cy);
}

void TCustomBarcode::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  platform::TQtCanvas canvas(painter);
  canvas.Font.SetColor(platform::FromQtColor(palette().color(QPalette::WindowText)));
  try {
    Paint(canvas);
    FPaintErrorShown = false;
  } catch (const std::exception& e) {
    ReportPaintError(e.what());
  }
}

// A failed paint keeps the previous size. The message is shown once, after the paint
// has finished, and not again for the repaints of the same settings.
void TCustomBarcode::ReportPaintError(const std::string& message) {
  if (FPaintErrorShown) return;
  FPaintErrorShown = true;
  QTimer::singleShot(0, this, [message] { platform::ShowMessage(message); });
}

TBarcode::TBarcode(QWidget* owner) : TCustomBarcode(owner) {}

void TBarcode::SetAutoSize(bool on) {
  if (on == FAutoSize) return;
  FAutoSize = on;
  Changed();
}

void TBarcode::Paint(platform::TCanvas& canvas) {
  platform::TSize size = DrawTo(canvas, 0, 0);
  if (FAutoSize) resize(size.cx, size.cy);
}

platform::TSizedDrawing TBarcode::Drawing() {
  return [this](platform::TCanvas& canvas, int32_t x, int32_t y) { return DrawTo(canvas, x, y); };
}

QImage TBarcode::RenderBitmap(int margin) {
  return platform::BitmapOf(Drawing(), margin, platform::ScreenPixelsPerInch());
}

QByteArray TBarcode::RenderSvg(int margin) {
  return platform::SvgOf(Drawing(), platform::MulDiv(margin, kSvgUnitsPerInch, platform::ScreenPixelsPerInch()),
                         kSvgUnitsPerInch);
}

void TBarcode::SaveToBitmapFile(int margin, const QString& fileName) {
  platform::SaveBitmapFile(RenderBitmap(margin), fileName);
}

void TBarcode::SaveToFile(int margin, const QString& fileName) { SaveToFile(margin, fileName, FormatOf(fileName)); }

void TBarcode::SaveToFile(int margin, const QString& fileName, TBarcodeFileFormat format) {
  switch (format) {
    case TBarcodeFileFormat::Bitmap: SaveToBitmapFile(margin, fileName); return;
    case TBarcodeFileFormat::Png: platform::SavePngFile(RenderBitmap(margin), fileName); return;
    case TBarcodeFileFormat::Svg: platform::WriteExportFile(fileName, RenderSvg(margin)); return;
  }
}

void TBarcode::CopyToClipboard(int margin) { platform::CopyBitmapToClipboard(RenderBitmap(margin)); }

void TBarcode::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit OnClick();
  TCustomBarcode::mouseReleaseEvent(event);
}

void TBarcode::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit OnDblClick();
  TCustomBarcode::mouseDoubleClickEvent(event);
}
