#include "app/globvar.h"

#include "platform/datadir.h"
#include "tables/tables.h"

std::string gComname;
std::string gPrtport;
std::string gPrtname;

void LoadSettings() { LoadSettings(platform::DataDirectory()); }

void LoadSettings(const std::string& dataDirectory) {
  tables::TTable param;
  param.SetDatabaseName(dataDirectory);
  param.SetTableName("param");
  param.Open();
  // On an empty table the cursor is at end of file and every field reads empty.
  std::string comname = param.FieldByName("Comname").AsString();
  std::string prtport = param.FieldByName("prtport").AsString();
  std::string prtname = param.FieldByName("prtname").AsString();
  param.Close();
  gComname = comname;
  gPrtport = prtport;
  gPrtname = prtname;
}
