// The application's current hint: the long hint of whatever control the mouse is on,
// in any of the program's windows, or of the menu item that is highlighted. Qt's own
// status tips stop at the edge of the window they start in; this filter sees the
// events of every window and keeps one hint for the whole program.
#pragma once

#include <QObject>
#include <QString>

namespace app {

class TApplicationHint : public QObject {
  Q_OBJECT

 public:
  // Watches the events of the whole application while it lives.
  explicit TApplicationHint(QObject* parent = nullptr);
  ~TApplicationHint() override;

  QString Hint() const { return FHint; }

 signals:
  // After the hint has changed; an equal hint is no change.
  void HintChanged();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void SetHint(const QString& hint);

  QString FHint;
};

}  // namespace app
