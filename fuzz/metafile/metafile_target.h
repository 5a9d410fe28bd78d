// The shared body of the metafile fuzz targets: load, then play onto a canvas that only
// records and onto a small bitmap. A damaged file may only fail with EMetafileError.
#pragma once

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdint>
#include <vector>

#include "graphics/qt/qtcanvas.h"
#include "graphics/tracecanvas.h"
#include "metafile/metafile.h"

namespace platform::fuzzing {

inline void EnsureGuiApplication() {
  static int argc = 1;
  static char name[] = "fuzz";
  static char* argv[] = {name, nullptr};
  static QGuiApplication* app = QGuiApplication::instance() ? nullptr : new QGuiApplication(argc, argv);
  (void)app;
}

template <typename TPicture>
void PlayFuzzInput(const uint8_t* data, size_t size) {
  EnsureGuiApplication();
  try {
    TPicture picture = TPicture::FromBytes(std::vector<uint8_t>(data, data + size));
    TTraceCanvas trace;
    picture.Play(trace, TRect{-5, 3, 300, 200});
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    TQtCanvas canvas(painter);
    picture.Play(canvas, TRect{0, 0, 64, 48});
  } catch (const EMetafileError&) {
  }
}

}  // namespace platform::fuzzing
