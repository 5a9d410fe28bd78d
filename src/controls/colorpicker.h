// The colour picker: a button showing a colour swatch; a click asks for a new
// colour through a replaceable chooser (the colour dialog) and signals a change.
#pragma once

#include <QColor>
#include <QToolButton>
#include <functional>
#include <string>

namespace controls {

// An invalid colour when the operator cancelled.
using TColorChooser = std::function<QColor(QWidget* parent, const QColor& current)>;
TColorChooser SetColorChooser(TColorChooser chooser);

struct TColorSettings {
  std::string Name;
  QColor Color = Qt::black;
};

class TColorPicker : public QToolButton {
  Q_OBJECT
  Q_PROPERTY(QColor color READ Color WRITE SetColor NOTIFY ColorChanged)

 public:
  explicit TColorPicker(const TColorSettings& settings, QWidget* parent = nullptr);

  QColor Color() const { return FColor; }
  void SetColor(const QColor& color);
  void Choose();

 signals:
  void ColorChanged(const QColor& color);

 private:
  void ShowSwatch();
  QColor FColor;
};

}  // namespace controls
