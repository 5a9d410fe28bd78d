#include "app/renderlabel.h"

#include "app/commandline.h"

#include <QGuiApplication>

#include "base/numformat.h"
#include "items/globvar.h"
#include "items/itemtransfer.h"
#include "items/labelbatch.h"
#include "items/labeljob.h"
#include "items/shoptables.h"
#include "items/windows/frmlabelview.h"
#include "labelimage/labeldrawing.h"
#include "tables/tables.h"

void RenderLabel(const std::string& dataDirectory, const std::string& barcode, const std::string& fileName) {
  LoadSettings(dataDirectory);
  tables::TTable items;
  items::OpenItemTable(items, dataDirectory);
  const char separator = platform::DecimalSeparator();
  const items::TLabelValues values = items::FindLabelItem(items, barcode, separator);
  labelimage::SaveLabelPng(items::DrawLabelPreview(items::CurrentLabelPreviewJob(values, separator)), fileName);
}

int RenderLabelMode(const std::vector<std::string>& arguments, const std::string& dataDirectory) {
  if (arguments.size() != 2 || arguments[0].starts_with("--") || arguments[1].starts_with("--")) {
    throw EUsage("a barcode and a PNG file expected");
  }
  // Drawing text needs Qt's font database, not a screen.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int argc = 1;
  char name[] = "BarcodePrint";
  char* argv[] = {name, nullptr};
  QGuiApplication application(argc, argv);
  RenderLabel(dataDirectory, arguments[0], arguments[1]);
  return 0;
}
