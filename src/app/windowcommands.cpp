#include "app/windowcommands.h"

namespace app {

void OpenNormalPrinter(QWidget* /*owner*/) {
  // Wired when the normal-printer window lands.
}

}  // namespace app
