// The picture box: an image control that applies its JPEG decoding options to every
// JPEG picture it holds.
#pragma once

#include <functional>
#include <memory>

#include "picture/jpegimage.h"
#include "picture/jpegproperties.h"
#include "picture/widget/image.h"

namespace picture {

class TFEJpeg : public TImage {
  Q_OBJECT

 public:
  explicit TFEJpeg(QWidget* owner = nullptr);
  ~TFEJpeg() override;

  TJPEGProperties& JPEGProperties() { return *FJPEGProperties; }

 private:
  void JPEGPictureChanged();
  void JPEGOptionChanged(TJPEGPropertyCode code);
  TJPEGImage* CurrentJPEG();
  void CallSavedHandler();

  std::unique_ptr<TJPEGProperties> FJPEGProperties;
  bool FApplying = false;  // on while options are pushed onto the picture
  std::function<void()> FSavedPictureChanged;
};

}  // namespace picture
