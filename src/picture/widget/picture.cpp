#include "picture/widget/picture.h"

#include "picture/pictureerrors.h"
#include "picture/widget/bitmapfile.h"
#include "picture/widget/jpeggraphic.h"
#include "picture/widget/metafilegraphic.h"
#include "picture/widget/olegraphic.h"
#include "picture/widget/rastergraphic.h"

namespace picture {

std::unique_ptr<TGraphic> CreateGraphic(TPictureKind kind) {
  switch (kind) {
    case TPictureKind::Metafile:
      return std::make_unique<TWindowsMetafileGraphic>();
    case TPictureKind::EnhMetafile:
      return std::make_unique<TEnhMetafileGraphic>();
    case TPictureKind::Icon:
      return std::make_unique<TRasterGraphic>("ico", "Icon");
    case TPictureKind::Bitmap:
      return std::make_unique<TRasterGraphic>("bmp", "Bitmap", CheckBitmapFile);
    case TPictureKind::OlePicture:
      return std::make_unique<TOleGraphic>();
    case TPictureKind::JPEG:
      return std::make_unique<TJPEGGraphic>();
  }
  throw EInvalidGraphic("Unknown picture kind");
}

void TPicture::LoadFromFile(const std::string& fileName) {
  std::unique_ptr<TGraphic> graphic = CreateGraphic(FindPictureFormat(fileName).Kind);
  graphic->LoadFromFile(fileName);
  graphic->OnChange = [this] { Changed(); };
  FGraphic = std::move(graphic);
  Changed();
}

void TPicture::Clear() {
  if (!FGraphic) return;
  FGraphic.reset();
  Changed();
}

void TPicture::Changed() {
  if (OnChange) OnChange();
}

}  // namespace picture
