// The barcode control: a window element showing one barcode. Its Bar_ properties
// check their ranges and repaint; it draws no background of its own (the parent
// shows between the bars), sizes itself to the drawn symbol, and exports the symbol
// as a bitmap, PNG or SVG file or a clipboard bitmap.
#pragma once

#include <QImage>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <span>
#include <stdexcept>

#include "barcode/llbarcode.h"
#include "graphics/canvas.h"
#include "graphics/qt/bitmapexport.h"

class TCustomBarcode : public QWidget {
  Q_OBJECT

 public:
  // The engine's enumerations under their own names, for the property system; made
  // from the engine's lists, so the two cannot drift apart.
#define BARCODE_CONTROL_ENUMERATOR(name, value) name = barcode::name,
  enum btCodeTypes : uint8_t { BARCODE_CODE_TYPES(BARCODE_CONTROL_ENUMERATOR) };
  Q_ENUM(btCodeTypes)
  enum btCodeSizes : uint8_t { BARCODE_CODE_SIZES(BARCODE_CONTROL_ENUMERATOR) };
  Q_ENUM(btCodeSizes)
  enum btCodeRotate : uint8_t { BARCODE_CODE_ROTATIONS(BARCODE_CONTROL_ENUMERATOR) };
  Q_ENUM(btCodeRotate)
  enum btCodeRatio : uint8_t { BARCODE_CODE_RATIOS(BARCODE_CONTROL_ENUMERATOR) };
#undef BARCODE_CONTROL_ENUMERATOR
  Q_ENUM(btCodeRatio)

  // Properties with a declared default have a RESET to it, and an Is..Stored() that
  // tells whether a form description would carry them (only while they differ).
  Q_PROPERTY(QString Bar_Caption READ Bar_Caption WRITE SetBar_Caption)
  Q_PROPERTY(QString Bar_CodeAddon READ Bar_CodeAddon WRITE SetBar_CodeAddon)
  Q_PROPERTY(btCodeTypes Bar_CodeType READ Bar_CodeType WRITE SetBar_CodeType RESET ResetBar_CodeType)
  Q_PROPERTY(QString Bar_Fontname READ Bar_Fontname WRITE SetBar_Fontname)
  Q_PROPERTY(int Bar_Fontscaling READ Bar_Fontscaling WRITE SetBar_Fontscaling RESET ResetBar_Fontscaling)
  Q_PROPERTY(int Bar_HeightPercent READ Bar_HeightPercent WRITE SetBar_HeightPercent RESET ResetBar_HeightPercent)
  Q_PROPERTY(bool Bar_HighDensity READ Bar_HighDensity WRITE SetBar_HighDensity)
  Q_PROPERTY(bool Bar_HumanReadable READ Bar_HumanReadable WRITE SetBar_HumanReadable RESET ResetBar_HumanReadable)
  Q_PROPERTY(btCodeSizes Bar_ModuleWidth READ Bar_ModuleWidth WRITE SetBar_ModuleWidth RESET ResetBar_ModuleWidth)
  Q_PROPERTY(btCodeRatio Bar_Ratio READ Bar_Ratio WRITE SetBar_Ratio RESET ResetBar_Ratio)
  Q_PROPERTY(btCodeRotate Bar_Rotation READ Bar_Rotation WRITE SetBar_Rotation RESET ResetBar_Rotation)
  Q_PROPERTY(bool Bar_WidthReduce READ Bar_WidthReduce WRITE SetBar_WidthReduce)
  Q_PROPERTY(bool Bar_ZoomSize READ Bar_ZoomSize WRITE SetBar_ZoomSize)

 public:
  explicit TCustomBarcode(QWidget* owner = nullptr);

  QString Bar_Caption() const;
  void SetBar_Caption(const QString& caption);  // more than 50 characters: EOverflow
  QString Bar_CodeAddon() const;
  void SetBar_CodeAddon(const QString& addon);  // normalised to 0, 2 or 5 digits
  btCodeTypes Bar_CodeType() const { return btCodeTypes(Params().CodeType); }
  void SetBar_CodeType(btCodeTypes type);  // unchecked: an unknown type fails at drawing
  void ResetBar_CodeType() { SetBar_CodeType(EAN_8); }
  bool IsBar_CodeTypeStored() const { return Bar_CodeType() != EAN_8; }
  QString Bar_Fontname() const;
  void SetBar_Fontname(const QString& name);
  int Bar_Fontscaling() const { return Params().Fontscaling; }
  void SetBar_Fontscaling(int percent);  // 20..200
  void ResetBar_Fontscaling() { SetBar_Fontscaling(100); }
  bool IsBar_FontscalingStored() const { return Bar_Fontscaling() != 100; }
  int Bar_HeightPercent() const { return Params().HeightPercent; }
  void SetBar_HeightPercent(int percent);  // 20..200
  void ResetBar_HeightPercent() { SetBar_HeightPercent(100); }
  bool IsBar_HeightPercentStored() const { return Bar_HeightPercent() != 100; }
  bool Bar_HighDensity() const { return Params().HighDensity; }
  void SetBar_HighDensity(bool on);
  bool Bar_HumanReadable() const { return Params().HumanReadable; }
  void SetBar_HumanReadable(bool on);
  void ResetBar_HumanReadable() { SetBar_HumanReadable(true); }
  bool IsBar_HumanReadableStored() const { return !Bar_HumanReadable(); }
  btCodeSizes Bar_ModuleWidth() const { return btCodeSizes(Params().ModuleWidth); }
  void SetBar_ModuleWidth(btCodeSizes size);  // 0..9
  // The declared default is SC0 although a new control starts at SC2.
  void ResetBar_ModuleWidth() { SetBar_ModuleWidth(SC0); }
  bool IsBar_ModuleWidthStored() const { return Bar_ModuleWidth() != SC0; }
  btCodeRatio Bar_Ratio() const { return btCodeRatio(Params().Ratio); }
  void SetBar_Ratio(btCodeRatio ratio);  // 0..1
  void ResetBar_Ratio() { SetBar_Ratio(Ratio_3); }
  bool IsBar_RatioStored() const { return Bar_Ratio() != Ratio_3; }
  btCodeRotate Bar_Rotation() const { return btCodeRotate(Params().Rotation); }
  void SetBar_Rotation(btCodeRotate rotation);  // 0..3
  void ResetBar_Rotation() { SetBar_Rotation(rotate_000); }
  bool IsBar_RotationStored() const { return Bar_Rotation() != rotate_000; }
  bool Bar_WidthReduce() const { return Params().WidthReduce; }
  void SetBar_WidthReduce(bool on);
  bool Bar_ZoomSize() const { return Params().ZoomSize; }
  void SetBar_ZoomSize(bool on);

  // Draws the barcode on any canvas with its origin at (x, y) and returns the drawn size.
  platform::TSize DrawTo(platform::TCanvas& canvas, int x, int y);

  barcode::TLLBarcode& LLBarcode() { return FLLBarcode; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  // Draws on the control's own surface; the control takes the drawn size.
  virtual void Paint(platform::TCanvas& canvas);
  // Stores nothing itself: called after a setter has changed the parameters.
  void Changed();

 private:
  const barcode::TBarcodeParams& Params() const { return FLLBarcode.Params; }
  void ReportPaintError(const std::string& message);

  barcode::TLLBarcode FLLBarcode;
  bool FPaintErrorShown = false;
};

// The formats the symbol is saved in, and the file name's extension for each.
enum class TBarcodeFileFormat : uint8_t { Bitmap, Png, Svg };

struct TBarcodeFileKind {
  TBarcodeFileFormat Format;
  const char* Extension;    // without the dot, as a file dialog's filter shows it
  const char* Description;  // the filter's name
};

std::span<const TBarcodeFileKind> BarcodeFileKinds();

// A file name whose extension names none of the formats.
class EBarcodeFileFormat : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TBarcode : public TCustomBarcode {
  Q_OBJECT
  Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize RESET ResetAutoSize)

 public:
  explicit TBarcode(QWidget* owner = nullptr);

  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool on);
  void ResetAutoSize() { SetAutoSize(true); }
  bool IsAutoSizeStored() const { return !FAutoSize; }

  // The symbol on white with a margin of m pixels on every side, at the screen's
  // resolution. Saved in the Windows bitmap format whatever the file name's extension.
  void SaveToBitmapFile(int margin, const QString& fileName);
  // In the format the name's extension gives, in any case: .bmp as SaveToBitmapFile
  // writes it, .png the same bitmap, .svg the symbol as vectors (margin pixels of the
  // screen become the same length in millimetres). Any other name raises
  // EBarcodeFileFormat before anything is written.
  void SaveToFile(int margin, const QString& fileName);
  // In the given format, whatever the name's extension.
  void SaveToFile(int margin, const QString& fileName, TBarcodeFileFormat format);
  // Replaces the clipboard's contents with the bitmap.
  void CopyToClipboard(int margin);
  QImage RenderBitmap(int margin);
  // The SVG document SaveToFile writes.
  QByteArray RenderSvg(int margin);

 signals:
  void OnClick();
  void OnDblClick();

 protected:
  void Paint(platform::TCanvas& canvas) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  platform::TSizedDrawing Drawing();
  bool FAutoSize = true;
};
