// What the normal-printer window asks of the label page: a new page for each request,
// owned by the window, with the window's barcode settings copied onto its element.
#pragma once

#include <QString>

#include "normalprint/frmprtbar.h"

struct TLabelPageRequest {
  QString CodeText;
  QString CodeAddon;
  int HeightPercent = 100;
  TCustomBarcode::btCodeRotate Rotation = TCustomBarcode::rotate_000;
  TCustomBarcode::btCodeTypes CodeType = TCustomBarcode::EAN_8;
};

// Creates the page owned by owner, makes it frmprtbar, and copies code text, add-on,
// height, rotation and symbology in that order (range errors reach the caller).
Tfrmprtbar* CreateLabelPage(QWidget* owner, const TLabelPageRequest& request);

// A new page printed on the default printer; nothing when no printer is installed.
void PrintLabelPage(QWidget* owner, const TLabelPageRequest& request);

// A new page shown in a print preview window; returns once that window has closed. The
// preview closes with the page, so with the owner.
void PreviewLabelPage(QWidget* owner, const TLabelPageRequest& request);
