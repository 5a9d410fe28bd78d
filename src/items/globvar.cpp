#include "items/globvar.h"

#include "base/datadir.h"
#include "items/shoptables.h"
#include "tables/tables.h"

std::string gComname;
std::string gPrtport;
std::string gPrtname;
items::TLabelCalibration gLabelCalibration;

void LoadSettings() { LoadSettings(platform::DataDirectory()); }

void LoadSettings(const std::string& dataDirectory) {
  tables::TTable param;
  param.SetDatabaseName(dataDirectory);
  param.SetTableName(items::param::kTable);
  param.Open();
  // On an empty table the cursor is at end of file and every field reads empty.
  std::string comname = param.FieldByName(items::param::COMNAME).AsString();
  std::string prtport = param.FieldByName(items::param::PRTPORT).AsString();
  std::string prtname = param.FieldByName(items::param::PRTNAME).AsString();
  items::TLabelCalibration calibration = ReadLabelCalibration(param);
  param.Close();
  gComname = comname;
  gPrtport = prtport;
  gPrtname = prtname;
  gLabelCalibration = calibration;
}

items::TLabelCalibration ReadLabelCalibration(tables::TTable& param) {
  items::TLabelCalibration calibration;
  for (const items::TCalibrationSetting& setting : items::CalibrationSettings()) {
    if (tables::TField* field = param.FindField(setting.Field)) calibration.*setting.Member = field->AsString();
  }
  return calibration;
}
