// GDI font records to Qt fonts. GDI's positive height is the cell (ascent plus descent)
// while Qt sizes the em, so the em size is searched that gives the requested cell.
#include "platform/qt/qtfont.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <algorithm>
#include <cmath>
#include <cstdlib>
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
  while (em > 1 && CellOf(font, em) > cell) --em;
  while (CellOf(font, em + 1) <= cell) ++em;
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
  return TQtFont{font, metrics, metrics.ascent(), height - metrics.ascent()};
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

}  // namespace platform
