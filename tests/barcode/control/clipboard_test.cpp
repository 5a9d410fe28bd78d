// The clipboard under a real X server: another process reads the bitmap back.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>

#include "barcode/control/barcodecontrol.h"
#include "rendered.h"

namespace {

// Runs xclip while this process keeps serving the clipboard.
QByteArray ReadClipboardFromAnotherProcess(const QString& target) {
  QProcess xclip;
  xclip.start("xclip", {"-selection", "clipboard", "-t", target, "-o"});
  QElapsedTimer timer;
  timer.start();
  while (xclip.state() != QProcess::NotRunning && timer.elapsed() < 20000) {
    QApplication::processEvents(QEventLoop::AllEvents, 50);
    xclip.waitForFinished(10);
  }
  return xclip.readAllStandardOutput();
}

TEST(Clipboard, AnotherProgramGetsTheBitmap) {
  if (QStandardPaths::findExecutable("xclip").isEmpty()) GTEST_SKIP() << "xclip is not installed";
  TBarcode barcode;
  barcode.SetBar_Caption("00000000000");
  barcode.SetBar_CodeType(TCustomBarcode::EAN_13);
  barcode.SetBar_HeightPercent(80);
  barcode.SetBar_Fontscaling(125);
  barcode.SetBar_ZoomSize(true);
  barcode.CopyToClipboard(10);

  QImage image = QImage::fromData(ReadClipboardFromAnotherProcess("image/png"), "PNG");
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.size(), QSize(159, 110));
  EXPECT_EQ(barcode::Decoded(image, ZXing::BarcodeFormat::EAN13), "0000000000000");
}

}  // namespace
