#include "items/windows/batchwindow.h"

#include <QTimer>

#include "base/messages.h"
#include "controls/guarded.h"
#include "controls/qtext.h"

namespace items {
namespace {

constexpr QSize kWindowSize{360, 110};
constexpr QRect kStatusRect{8, 8, 344, 56};
constexpr QRect kRestRect{96, 72, 100, 28};
constexpr QRect kCancelRect{204, 72, 75, 28};

QString Progress(const TLabelBatch& batch) {
  const size_t next = std::min(batch.Position() + 1, batch.ItemCount());
  return QString("Item %1 of %2").arg(next).arg(batch.ItemCount());
}

}  // namespace

TBatchWindow::TBatchWindow(std::unique_ptr<TLabelBatch> batch, QWidget* owner)
    : QDialog(owner), FBatch(std::move(batch)) {
  setObjectName("BatchProgress");
  setWindowTitle("Printing labels");
  setAttribute(Qt::WA_DeleteOnClose);
  setFixedSize(kWindowSize);
  // One batch at a time: the item window waits, this window answers.
  setWindowModality(Qt::WindowModal);
  Status = new QLabel(this);
  Status->setObjectName("Status");
  Status->setGeometry(kStatusRect);
  Status->setWordWrap(true);
  Status->setAlignment(Qt::AlignCenter);
  RestButton = new QPushButton("Print the rest", this);
  RestButton->setObjectName("RestButton");
  RestButton->setGeometry(kRestRect);
  RestButton->hide();
  CancelButton = new QPushButton("Cancel", this);
  CancelButton->setObjectName("CancelButton");
  CancelButton->setGeometry(kCancelRect);
  CancelButton->setDefault(true);
  controls::ConnectGuarded(CancelButton, &QPushButton::clicked, this, [this](bool) { reject(); });
  controls::ConnectGuarded(RestButton, &QPushButton::clicked, this, [this](bool) { Start(); });
}

void TBatchWindow::Start() {
  RestButton->hide();
  CancelButton->setText("Cancel");
  Status->setText(Progress(*FBatch));
  show();
  FSending = true;
  StepLater();
}

// Each item in an event of its own, so the window answers between them.
void TBatchWindow::StepLater() {
  QTimer::singleShot(0, this, [this] { controls::Guarded([this] { Step(); }); });
}

void TBatchWindow::Step() {
  if (!FSending) return;
  if (FBatch->WaitSlice()) {
    StepLater();
    return;
  }
  try {
    FBatch->SendNext();
  } catch (const EBatchError& e) {
    RestButton->show();
    Stopped(controls::ToQString(std::string(e.what()) + "\n" + FBatch->Summary()));
    return;
  }
  if (FBatch->Finished()) {
    Stopped(controls::ToQString(FBatch->Summary()));
    return;
  }
  Status->setText(Progress(*FBatch));
  StepLater();
}

void TBatchWindow::Stopped(const QString& text) {
  FSending = false;
  Status->setText(text);
  CancelButton->setText("Close");
}

void TBatchWindow::reject() {
  if (FSending) {
    FSending = false;
    FBatch->Cancel();
    Stopped(controls::ToQString(FBatch->Summary()));
    return;
  }
  QDialog::reject();
}

}  // namespace items
