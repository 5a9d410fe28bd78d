// The label report page: the one-page report through which the normal-printer window
// puts one barcode on a page printer. A form that is never shown; it only holds the
// report rep, its barcode element RepBarcode2 (placed on the page itself, printed from
// the paper's corner at the page end) and the empty detail band DetailBand1.
#pragma once

#include <QEvent>
#include <QWidget>

#include "normalprint/repbarcode.h"
#include "reports/band.h"
#include "reports/labelreport.h"

class Tfrmprtbar : public QWidget {
 public:
  // Belongs to the owner window and is destroyed with it.
  explicit Tfrmprtbar(QWidget* owner);
  ~Tfrmprtbar() override;

  reports::TLabelReport rep;
  TRepBarcode RepBarcode2;
  reports::TRepBand DetailBand1;
};

// Posted to the page's owner each time a Print or Preview of its report stops running
// (TLabelReport::Running): an owner that held back its close may close now.
QEvent::Type PageRunEndedEvent();

// The page made last; earlier ones live on until their owner is destroyed.
extern Tfrmprtbar* frmprtbar;
