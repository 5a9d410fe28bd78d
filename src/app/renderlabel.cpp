#include "app/renderlabel.h"

#include <QGuiApplication>
#include <exception>
#include <iostream>

#include "base/numformat.h"
#include "items/globvar.h"
#include "items/labeljob.h"
#include "items/shoptables.h"
#include "items/windows/frmlabelview.h"
#include "labelimage/labeldrawing.h"
#include "tables/tables.h"

void RenderLabel(const std::string& dataDirectory, const std::string& barcode, const std::string& fileName) {
  LoadSettings(dataDirectory);
  tables::TTable items;
  items.SetDatabaseName(dataDirectory);
  items.SetTableName(std::string(items::barmas::kTable) + ".DAT");
  items.Open();
  items.SetIndexFieldNames(items::barmas::FBarcode);
  if (!items.FindKey({barcode})) throw std::runtime_error("No item has the barcode " + barcode);
  const char separator = platform::DecimalSeparator();
  const items::TLabelValues values = items::ReadLabelValues(items, separator);
  labelimage::SaveLabelPng(items::DrawLabelPreview(items::CurrentLabelPreviewJob(values, separator)), fileName);
}

int RenderLabelMain(int argc, char** argv, const std::string& dataDirectory) {
  if (argc != 4) {
    std::cerr << "Usage: BarcodePrint " << kRenderLabelOption << " BARCODE FILE.png\n";
    return 2;
  }
  // Drawing text needs Qt's font database, not a screen.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  try {
    RenderLabel(dataDirectory, argv[2], argv[3]);
  } catch (const std::exception& error) {
    std::cerr << "Error " << error.what() << "\n";
    return 1;
  }
  return 0;
}
