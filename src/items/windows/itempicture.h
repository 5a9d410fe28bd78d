// The item window's picture box on its picture panel.
#pragma once

#include <QString>
#include <QWidget>

#include "controls/filenameedit.h"
#include "picture/widget/fejpeg.h"

namespace items {

// The picture box "empimg" on the panel: left 1, top 24, 159 x 153, stretched, with
// the default decoding options.
picture::TFEJpeg* CreateItemWindowPicture(QWidget* panel);

// The picture step: shows in the box the file that the path box names; an empty path
// only repaints, so the last picture stays. A failure is raised, and the box keeps its
// earlier picture, once for the item and path it concerns: the handlers that show one
// item one after the other tell it once. A failure kept quiet otherwise (a path still
// being typed) clears the box, so that it never shows another item's picture unsaid.
class TItemPictureStep {
 public:
  // item names the item shown (its barcode); reportErrors is off while the path is typed.
  void Run(picture::TFEJpeg& box, const QString& item, const controls::TFileNameEdit& path, bool reportErrors);

 private:
  bool FTold = false;  // a failure was raised and the box still shows what it did then
  QString FToldItem;
  QString FToldPath;
};

}  // namespace items
