#include "app/childwin.h"

#include <QFont>
#include <QStyle>

namespace {

constexpr QSize kChildSize{429, 215};

}  // namespace

TMDIChild::TMDIChild(QWidget* parent) : QMdiSubWindow(parent) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle("MDI Child");
  setFont(QFont("System"));  // the platform chooses its face where it has none of that name
  resize(kChildSize);
  setWindowIcon(style()->standardIcon(QStyle::SP_FileIcon));  // a document, not Qt's logo
}
