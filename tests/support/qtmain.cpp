// The test entry for tests that need Qt: one application object for the whole run.
#include <gtest/gtest.h>

#include <QApplication>

#include "platform/qt/qtcanvas.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  platform::InstallQtScreenResolution();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
