#include "picture/widget/fejpeg.h"

#include "picture/widget/jpeggraphic.h"

namespace picture {
namespace {

// The order in which a newly shown JPEG picture takes over the box's options.
constexpr TJPEGPropertyCode kPushOrder[] = {jpcPixelFormat,  jpcScale,          jpcGrayScale,
                                            jpcPerformance,  jpcProgressiveDisplay, jpcSmoothing};

}  // namespace

TFEJpeg::TFEJpeg(QWidget* owner) : TImage(owner), FJPEGProperties(std::make_unique<TJPEGProperties>()) {
  FJPEGProperties->OnChange = [this](TJPEGPropertyCode code) { JPEGOptionChanged(code); };
  FSavedPictureChanged = Picture().OnChange;
  Picture().OnChange = [this] { JPEGPictureChanged(); };
}

TFEJpeg::~TFEJpeg() {
  Picture().OnChange = nullptr;
  FSavedPictureChanged = nullptr;
  FJPEGProperties.reset();
}

TJPEGImage* TFEJpeg::CurrentJPEG() {
  auto* jpeg = dynamic_cast<TJPEGGraphic*>(Picture().Graphic());
  return jpeg ? &jpeg->Image() : nullptr;
}

void TFEJpeg::CallSavedHandler() {
  if (FSavedPictureChanged) FSavedPictureChanged();
}

// The pushes below make the picture notify again; the flag keeps us from reacting.
void TFEJpeg::JPEGPictureChanged() {
  if (FApplying) return;
  if (TJPEGImage* jpeg = CurrentJPEG()) {
    FApplying = true;
    for (TJPEGPropertyCode code : kPushOrder) jpeg->PushOption(code, FJPEGProperties->Options());
    FApplying = false;
  }
  CallSavedHandler();
}

void TFEJpeg::JPEGOptionChanged(TJPEGPropertyCode code) {
  TJPEGImage* jpeg = CurrentJPEG();
  if (!jpeg) return;
  jpeg->PushOption(code, FJPEGProperties->Options());
  if (code != jpcProgressiveDisplay) CallSavedHandler();
}

}  // namespace picture
