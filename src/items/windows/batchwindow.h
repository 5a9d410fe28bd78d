// The progress window of a label batch, "Printing labels": sends one item per turn of
// the event loop, so the window answers between items, shows "Item k of n" and stops at
// Cancel. A failure stays shown with what was sent, and "Print the rest" goes on at the
// failed item. The window owns the batch and deletes itself when closed.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <memory>

#include "items/labelbatch.h"

namespace items {

class TBatchWindow : public QDialog {
  Q_OBJECT

 public:
  TBatchWindow(std::unique_ptr<TLabelBatch> batch, QWidget* owner);

  // Shows the window and starts sending.
  void Start();

  QLabel* Status;
  QPushButton* RestButton;    // "Print the rest", shown after a failure
  QPushButton* CancelButton;  // "Cancel" while sending, then "Close"

 protected:
  void reject() override;

 private:
  void Step();
  void StepLater();
  void Stopped(const QString& text);

  std::unique_ptr<TLabelBatch> FBatch;
  bool FSending = false;
};

}  // namespace items
