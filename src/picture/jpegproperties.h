// The JPEG decoding options a picture box applies to every JPEG picture it holds.
#pragma once

#include <functional>

namespace picture {

enum TJPEGPixelFormat { jf24Bit, jf8Bit };
enum TJPEGPerformance { jpBestQuality, jpBestSpeed };
enum TJPEGScale { jsFullSize, jsHalf, jsQuarter, jsEighth };

// Each option's code, carried by change notifications.
enum TJPEGPropertyCode {
  jpcGrayScale = 1,
  jpcPixelFormat = 2,
  jpcProgressiveDisplay = 3,
  jpcPerformance = 4,
  jpcScale = 5,
  jpcSmoothing = 6,
};

// The six option values. Both the options object and every JPEG picture hold one set.
struct TJPEGOptions {
  bool GrayScale = false;
  TJPEGPixelFormat PixelFormat = jf24Bit;
  bool ProgressiveDisplay = false;
  TJPEGPerformance Performance = jpBestQuality;
  TJPEGScale Scale = jsFullSize;
  bool Smoothing = true;

  bool operator==(const TJPEGOptions&) const = default;
};

// Compares or copies the one option with the given code.
bool SameOption(const TJPEGOptions& a, const TJPEGOptions& b, TJPEGPropertyCode code);
void CopyOption(TJPEGOptions& to, const TJPEGOptions& from, TJPEGPropertyCode code);

class TJPEGProperties {
 public:
  using TChangeEvent = std::function<void(TJPEGPropertyCode code)>;

  bool GrayScale() const { return FOptions.GrayScale; }
  TJPEGPixelFormat PixelFormat() const { return FOptions.PixelFormat; }
  bool ProgressiveDisplay() const { return FOptions.ProgressiveDisplay; }
  TJPEGPerformance Performance() const { return FOptions.Performance; }
  TJPEGScale Scale() const { return FOptions.Scale; }
  bool Smoothing() const { return FOptions.Smoothing; }
  const TJPEGOptions& Options() const { return FOptions; }

  // Setting a new value stores it and raises OnChange with its code; the current value does nothing.
  void SetGrayScale(bool value);
  void SetPixelFormat(TJPEGPixelFormat value);
  void SetProgressiveDisplay(bool value);
  void SetPerformance(TJPEGPerformance value);
  void SetScale(TJPEGScale value);
  void SetSmoothing(bool value);

  TChangeEvent OnChange;

 private:
  void Assign(const TJPEGOptions& next, TJPEGPropertyCode code);

  TJPEGOptions FOptions;
};

}  // namespace picture
