// The image control: shows the picture holder's picture in the control's rectangle,
// stretched to it or at natural size (top-left or centred), clipped to the control.
#pragma once

#include <string>

#include <QRect>
#include <QWidget>

#include "picture/widget/picture.h"

namespace picture {

class TImage : public QWidget {
  Q_OBJECT

 public:
  explicit TImage(QWidget* owner = nullptr);
  ~TImage() override;

  TPicture& Picture() { return FPicture; }

  // Each setter repaints with the new rule; the current value does nothing.
  bool Stretch() const { return FStretch; }
  void SetStretch(bool value);
  bool Center() const { return FCenter; }
  void SetCenter(bool value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool value);
  // Resizes the control to the picture whenever the picture changes.
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool value);
  // Shows the intermediate passes of a picture that decodes in several.
  bool IncrementalDisplay() const { return FIncrementalDisplay; }
  void SetIncrementalDisplay(bool value) { FIncrementalDisplay = value; }

  // Where the picture is drawn, in control coordinates.
  QRect DestRect() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  // The control's own reaction to a changed picture: size and repaint.
  void PictureChanged();

 private:
  void SetDrawingRule(bool& field, bool value);
  void AdjustSize();
  void DecodeIncrementally();

  TPicture FPicture;
  bool FStretch = false;
  bool FCenter = false;
  bool FTransparent = false;
  bool FAutoSize = false;
  bool FIncrementalDisplay = false;
  bool FDecodeScheduled = false;
};

}  // namespace picture
