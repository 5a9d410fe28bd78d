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

}  // namespace items
