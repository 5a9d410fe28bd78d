// Files the program exported, rendered back by independent programs: SVG by Inkscape,
// PDF by poppler's pdftoppm. A missing program skips the test with the reason, and
// fails it on CI, where the scripts install both.
#pragma once

#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "support/privatecupsd.h"

namespace testsupport {

inline std::string MissingTool(const std::string& name) {
  const std::string probe = "command -v " + name + " >/dev/null 2>&1";
  return std::system(probe.c_str()) == 0 ? std::string() : name + " is not installed";
}

// The bounding box of the dark pixels; empty for a blank image.
inline QRect DarkBox(const QImage& image) {
  const QImage gray = image.convertToFormat(QImage::Format_Grayscale8);
  int left = gray.width(), top = gray.height(), right = -1, bottom = -1;
  for (int y = 0; y < gray.height(); ++y) {
    const uchar* row = gray.constScanLine(y);
    for (int x = 0; x < gray.width(); ++x) {
      if (row[x] >= 128) continue;
      left = std::min(left, x), right = std::max(right, x);
      top = std::min(top, y), bottom = std::max(bottom, y);
    }
  }
  return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

// The SVG file as Inkscape exports it at dpi; a null image when it failed.
inline QImage InkscapeRendered(const std::string& svg, int dpi) {
  const std::string png = svg + ".png";
  const std::string command = "inkscape '" + svg + "' --export-type=png --export-filename='" + png +
                              "' --export-dpi=" + std::to_string(dpi) + " >'" + svg + ".log' 2>&1";
  if (std::system(command.c_str()) != 0) return {};
  const QImage rendered(QString::fromStdString(png));
  QImage flat(rendered.size(), QImage::Format_RGB32);  // onto white, whatever alpha the export has
  flat.fill(Qt::white);
  QPainter(&flat).drawImage(0, 0, rendered);
  return flat;
}

// The pages of the PDF file as pdftoppm renders them at dpi, in order, in grey.
inline std::vector<QImage> PdfPagesRendered(const std::string& pdf, int dpi) {
  const std::string prefix = pdf + "-page";
  const std::string command = "pdftoppm -r " + std::to_string(dpi) + " -gray '" + pdf + "' '" + prefix + "' >'" +
                              pdf + ".log' 2>&1";
  if (std::system(command.c_str()) != 0) return {};
  std::vector<std::string> files;
  const std::filesystem::path folder = std::filesystem::path(pdf).parent_path();
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    if (entry.path().string().starts_with(prefix) && entry.path().extension() == ".pgm")
      files.push_back(entry.path().string());
  std::sort(files.begin(), files.end());
  std::vector<QImage> pages;
  QImageReader::setAllocationLimit(0);  // a Letter page at 600 dpi is larger than Qt's default limit
  for (const std::string& file : files) pages.emplace_back(QString::fromStdString(file));
  return pages;
}

}  // namespace testsupport
