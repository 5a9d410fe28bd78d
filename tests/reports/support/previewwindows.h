// Finding and driving preview windows from inside the nested loop of a Preview call:
// actions posted before the call run once the window they need is on screen.
#pragma once

#include <QApplication>
#include <QTimer>
#include <functional>
#include <vector>

#include "reports/standardpreview.h"

namespace previewtest {

inline std::vector<reports::TStandardPreview*> OpenPreviews() {
  std::vector<reports::TStandardPreview*> open;
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (auto* preview = dynamic_cast<reports::TStandardPreview*>(widget); preview && preview->isVisible())
      open.push_back(preview);
  return open;
}

inline reports::TStandardPreview* PreviewTitled(const QString& title) {
  for (reports::TStandardPreview* preview : OpenPreviews())
    if (preview->windowTitle() == title) return preview;
  return nullptr;
}

inline void Later(std::function<void()> action) { QTimer::singleShot(0, qApp, std::move(action)); }

// Runs the action once the condition holds, looking again after each round of messages.
inline void When(std::function<bool()> condition, std::function<void()> action) {
  Later([condition = std::move(condition), action = std::move(action)]() mutable {
    if (condition())
      action();
    else
      When(std::move(condition), std::move(action));
  });
}

// Runs the action once the preview of that title is on screen: the window lets pending
// messages through while it opens, before it is shown.
inline void WhenShown(const QString& title, std::function<void(reports::TStandardPreview&)> action) {
  When([title] { return PreviewTitled(title) != nullptr; },
       [title, action = std::move(action)] { action(*PreviewTitled(title)); });
}

inline void DeleteClosedWindows() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

}  // namespace previewtest
