// The picture box as the item window places it (left 1, top 24, 159 x 153, stretched) on a panel of a colour no sample uses,
// so that a test sees where the box draws nothing; and a temp folder for sample files.
#pragma once

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QPalette>
#include <QWidget>

#include "picture/widget/fejpeg.h"
#include "support/tempdir.h"

namespace picture::testing {

using testsupport::TTempDir;

inline const QColor kPanelColour(255, 0, 255);

class TBoxOnPanel : public ::testing::Test {
 protected:
  void SetUp() override {
    QPalette palette = panel.palette();
    palette.setColor(QPalette::Window, kPanelColour);
    panel.setPalette(palette);
    panel.setAutoFillBackground(true);
    panel.resize(300, 300);
    box = new TFEJpeg(&panel);
    box->setGeometry(1, 24, 159, 153);
    box->SetStretch(true);
  }

  // What the box shows on its panel.
  QImage Shown() { return panel.grab(box->geometry()).toImage().convertToFormat(QImage::Format_RGB32); }

  QWidget panel;
  TFEJpeg* box = nullptr;
  TTempDir dir;
};

}  // namespace picture::testing
