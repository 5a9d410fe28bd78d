// The test entry for tests that need Qt: one application object for the whole run.
#include <gtest/gtest.h>

#include <QApplication>

#include "graphics/qt/qtcanvas.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  // Listing the tests (CTest does it without the tests' environment) needs no display.
  if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
  QApplication application(argc, argv);
  platform::InstallQtScreenResolution();
  return RUN_ALL_TESTS();
}
