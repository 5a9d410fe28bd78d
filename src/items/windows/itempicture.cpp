#include "items/windows/itempicture.h"

namespace items {

picture::TFEJpeg* CreateItemWindowPicture(QWidget* panel) {
  auto* box = new picture::TFEJpeg(panel);
  box->setObjectName("empimg");
  box->setAccessibleName("Picture");
  box->setGeometry(1, 24, 159, 153);
  box->SetStretch(true);
  return box;
}

void TItemPictureStep::Run(picture::TFEJpeg& box, const QString& item, const controls::TFileNameEdit& path,
                           bool reportErrors) {
  const QString text = path.text();
  if (text.trimmed().isEmpty()) {
    FTold = false;
    box.update();
    return;
  }
  try {
    box.Picture().LoadFromFile(path.FileName());
    FTold = false;
  } catch (const std::exception&) {
    // Told already for this item: the box keeps what it showed when it was told.
    if (FTold && item == FToldItem && text == FToldPath) return;
    FTold = reportErrors;
    if (!FTold) {
      box.Picture().Clear();
      return;
    }
    FToldItem = item;
    FToldPath = text;
    throw;
  }
}

}  // namespace items
