#include "reports/progresswindow.h"

#include <QApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>

namespace reports {
namespace {

constexpr int kClientWidth = 149;
constexpr int kClientHeight = 97;

// Child geometry inside the 149 x 97 client area.
constexpr QRect kStatusRect{8, 8, 133, 17};
constexpr QRect kBarRect{8, 32, 133, 18};
constexpr QRect kCancelRect{37, 62, 75, 25};

// Esc presses Cancel: it must stop the run, not hide the only way to stop it.
class TProgressDialog : public QDialog {
 public:
  QPushButton* Cancel = nullptr;

 protected:
  void reject() override {
    if (Cancel) Cancel->click();
  }
};

class TProgressWindow : public TRepProgress {
 public:
  explicit TProgressWindow(TRepJob& job) {
    FDialog.setWindowTitle("Printing progress");
    FDialog.setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint |
                           Qt::WindowTitleHint | Qt::CustomizeWindowHint);
    FDialog.setFixedSize(kClientWidth, kClientHeight);
    FStatus = new QLabel(&FDialog);
    FStatus->setObjectName("Status");
    FStatus->setAlignment(Qt::AlignCenter);
    FStatus->setGeometry(kStatusRect);
    FBar = new QProgressBar(&FDialog);
    FBar->setObjectName("ProgressBar");
    FBar->setRange(0, 100);
    FBar->setValue(0);
    FBar->setGeometry(kBarRect);
    auto* cancel = new QPushButton("Cancel", &FDialog);
    cancel->setObjectName("CancelButton");
    cancel->setGeometry(kCancelRect);
    QObject::connect(cancel, &QPushButton::clicked, [&job] { job.Cancel(); });
    FDialog.Cancel = cancel;
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
      QRect area = screen->availableGeometry();
      FDialog.move(area.center() - QPoint(kClientWidth / 2, kClientHeight / 2));
    }
    FDialog.show();
    QApplication::processEvents();
  }

  void SetStatus(const std::string& text) override { FStatus->setText(QString::fromStdString(text)); }

  // Lets the operator reach Cancel between records.
  void SetPosition(int percent) override {
    FBar->setValue(percent);
    QApplication::processEvents();
  }

 private:
  TProgressDialog FDialog;
  QLabel* FStatus;
  QProgressBar* FBar;
};

}  // namespace

std::unique_ptr<TRepProgress> CreateProgressWindow(TRepJob& job) {
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return nullptr;
  return std::make_unique<TProgressWindow>(job);
}

}  // namespace reports
