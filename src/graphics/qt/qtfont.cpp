// GDI font records to Qt fonts. GDI's positive height is the cell (ascent plus descent)
// while Qt sizes the em, so the em size is searched that gives the requested cell.
#include "graphics/qt/qtfont.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <unordered_map>

namespace platform {
namespace {

constexpr int DefaultCellHeight = 16;  // GDI's choice for a height of 0 is device-dependent
constexpr int ReferenceEm = 1000;
constexpr size_t CacheLimit = 128;

QFont BaseFont(const TLogFont& f) {
  QFont font(QString::fromLatin1(FaceNameOf(f)));
  font.setStyleStrategy(QFont::PreferDefault);
  font.setHintingPreference(QFont::PreferNoHinting);
  int weight = f.lfWeight == FW_DONTCARE ? FW_NORMAL : std::clamp<int>(f.lfWeight, 1, 1000);
  font.setWeight(QFont::Weight(weight));
  font.setItalic(f.lfItalic != 0);
  font.setUnderline(f.lfUnderline != 0);
  font.setStrikeOut(f.lfStrikeOut != 0);
  return font;
}

int CellOf(const QFont& font, int em) {
  QFont sized = font;
  sized.setPixelSize(em);
  QFontMetrics metrics(sized);
  return metrics.ascent() + metrics.descent();
}

// The largest em size whose cell does not exceed the requested cell height.
int EmForCell(const QFont& font, int cell) {
  QFont reference = font;
  reference.setPixelSize(ReferenceEm);
  QFontMetricsF metrics(reference);
  double ratio = (metrics.ascent() + metrics.descent()) / ReferenceEm;
  int em = std::max(1, int(std::lround(cell / (ratio > 0 ? ratio : 1.0))));
  // The estimate is off by a pixel or two at most; the bounds guard fonts without metrics.
  for (int step = 0; step < 16 && em > 1 && CellOf(font, em) > cell; ++step) --em;
  for (int step = 0; step < 16 && CellOf(font, em + 1) <= cell; ++step) ++em;
  return em;
}

TQtFont MakeFont(const TLogFont& f) {
  QFont font = BaseFont(f);
  int cell = f.lfHeight > 0 ? f.lfHeight : (f.lfHeight == 0 ? DefaultCellHeight : 0);
  font.setPixelSize(cell > 0 ? EmForCell(font, cell) : -f.lfHeight);
  QFontMetrics metrics(font);
  if (f.lfWidth > 0 && metrics.averageCharWidth() > 0) {
    int stretch = int(std::lround(100.0 * f.lfWidth / metrics.averageCharWidth()));
    font.setStretch(std::clamp(stretch, 1, 4000));
    metrics = QFontMetrics(font);
  }
  int height = cell > 0 ? cell : metrics.ascent() + metrics.descent();
  static uint64_t nextId = 0;
  return TQtFont{++nextId, font, metrics, metrics.ascent(), height - metrics.ascent()};
}

std::string KeyOf(const TLogFont& f) {
  std::string key(reinterpret_cast<const char*>(&f), offsetof(TLogFont, lfFaceName));
  key += FaceNameOf(f);
  return key;
}

}  // namespace

const TQtFont& QtFontFor(const TLogFont& deviceFont) {
  // Fonts are looked up for every text a barcode draws; building one costs far more.
  static std::unordered_map<std::string, TQtFont> cache;
  TLogFont f = deviceFont;
  f.lfEscapement = f.lfOrientation = 0;  // rotation is the painter's business
  std::string key = KeyOf(f);
  auto found = cache.find(key);
  if (found != cache.end()) return found->second;
  if (cache.size() >= CacheLimit) cache.clear();
  return cache.emplace(key, MakeFont(f)).first->second;
}

const TQtText& QtTextFor(const TQtFont& font, std::u16string_view text) {
  static std::unordered_map<std::u16string, TQtText> cache;
  static constexpr size_t TextCacheLimit = 1024;
  char16_t id[4];
  std::memcpy(id, &font.Id, sizeof id);
  std::u16string key = std::u16string(text) + u'\0' + std::u16string(id, 4);
  auto found = cache.find(key);
  if (found != cache.end()) return found->second;
  if (cache.size() >= TextCacheLimit) cache.clear();
  QString qtext = QString::fromUtf16(text.data(), qsizetype(text.size()));
  QTextLayout layout(qtext, font.Font);
  layout.beginLayout();
  QTextLine line = layout.createLine();
  layout.endLayout();
  TQtText laidOut{line.isValid() ? layout.glyphRuns() : QList<QGlyphRun>{}, font.Metrics.horizontalAdvance(qtext),
                  line.isValid() ? line.ascent() : 0};
  return cache.emplace(std::move(key), std::move(laidOut)).first->second;
}

}  // namespace platform
