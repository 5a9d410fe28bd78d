// The item window's picture box on its picture panel.
#pragma once

#include <QWidget>

#include "picture/widget/fejpeg.h"

namespace items {

// The picture box "empimg" on the panel: left 1, top 24, 159 x 153, stretched, with
// the default decoding options.
picture::TFEJpeg* CreateItemWindowPicture(QWidget* panel);

}  // namespace items
