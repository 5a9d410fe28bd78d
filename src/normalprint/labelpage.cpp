#include "normalprint/labelpage.h"

Tfrmprtbar* CreateLabelPage(QWidget* owner, const TLabelPageRequest& request) {
  frmprtbar = new Tfrmprtbar(owner);
  TRepBarcode& element = frmprtbar->RepBarcode2;
  element.SetBar_Caption(request.CodeText);
  element.SetBar_CodeAddon(request.CodeAddon);
  element.SetBar_HeightPercent(request.HeightPercent);
  element.SetBar_Rotation(request.Rotation);
  element.SetBar_CodeType(request.CodeType);
  return frmprtbar;
}

void PrintLabelPage(QWidget* owner, const TLabelPageRequest& request) { CreateLabelPage(owner, request)->rep.Print(); }

void PreviewLabelPage(QWidget* owner, const TLabelPageRequest& request) {
  CreateLabelPage(owner, request)->rep.Preview();
}
