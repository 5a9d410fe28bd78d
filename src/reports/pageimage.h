// The page image of the preview: one page picture drawn stretched over the control, on
// white, with a black outline and a shadow of two pixels along the right and bottom.
// Without a picture the control draws nothing.
#pragma once

#include <QWidget>
#include <optional>

#include "metafile/metafile.h"

class QPainter;

namespace reports {

// Draws the page into a width x height area at the painter's origin.
void DrawPageImage(QPainter& painter, const platform::TMetafile& page, int width, int height);

class TRepPageImage : public QWidget {
 public:
  explicit TRepPageImage(QWidget* parent);

  void SetPage(std::optional<platform::TMetafile> page);
  bool HasPage() const { return FPage.has_value(); }
  const platform::TMetafile* Page() const { return FPage ? &*FPage : nullptr; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::optional<platform::TMetafile> FPage;
};

}  // namespace reports
