// What the operator types into the item window, key by key: shared by the window
// tests and the counter program of the several-counter tests.
#pragma once

#include <QLineEdit>
#include <QTest>

#include "items/windows/frminput.h"

namespace items::test {

// Typed over what the edit holds.
inline void TypeInto(QLineEdit& edit, const QString& text) {
  edit.setFocus();
  edit.selectAll();
  QTest::keyClicks(&edit, text);
}

// Typed into the barcode box (empty: its text deleted) and left by Tab.
inline void EnterBarcode(Tfrminput& window, const QString& text) {
  QLineEdit* box = window.mcode->Edit();
  if (text.isEmpty()) {
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
  } else {
    TypeInto(*box, text);
  }
  QTest::keyClick(box, Qt::Key_Tab);
}

}  // namespace items::test
