// A picture of one kind (bitmap, icon, metafile, JPEG, empty), as a picture holder keeps it.
#pragma once

#include <functional>
#include <string>

#include <QPainter>
#include <QRect>

namespace picture {

class TGraphic {
 public:
  TGraphic() = default;
  virtual ~TGraphic() = default;
  TGraphic(const TGraphic&) = delete;
  TGraphic& operator=(const TGraphic&) = delete;

  // Loads the file; on failure raises and leaves the graphic as it was.
  virtual void LoadFromFile(const std::string& fileName) = 0;
  virtual bool Empty() const = 0;
  // Natural size in pixels.
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // Draws the picture stretched into dest. With transparent on, a bitmap's transparent
  // colour (that of its bottom-left pixel) is left undrawn.
  virtual void Draw(QPainter& painter, const QRect& dest, bool transparent) = 0;

  // Pictures decoded at first draw can be decoded ahead, pass by pass, with OnProgress
  // raised after each intermediate pass (a Draw meanwhile shows the latest pass).
  virtual bool NeedsDecoding() const { return false; }
  virtual void Decode() {}

  std::function<void()> OnChange;
  std::function<void()> OnProgress;

 protected:
  void Changed() {
    if (OnChange) OnChange();
  }
  void Progress() {
    if (OnProgress) OnProgress();
  }
};

}  // namespace picture
