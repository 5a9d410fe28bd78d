// An export opened in LibreOffice Calc, saved as a spreadsheet and written back to CSV
// imports to the same rows: the barcode Calc took for a number gets its zeros back.
// Calc runs headless with a profile in the test's own folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "items/itemtransfer.h"
#include "items/shoptables.h"
#include "support/privatecupsd.h"
#include "support/tempdir.h"

namespace items {
namespace {

namespace fs = std::filesystem;
using tables::TVariant;

bool HaveSoffice() { return std::system("command -v soffice >/dev/null 2>&1") == 0; }

// Runs soffice on one file; true when it wrote the output.
bool Convert(const testsupport::TTempDir& dir, const std::string& to, const std::string& input,
             const std::string& outdir, const std::string& options = "") {
  const std::string command = "soffice --headless --norestore -env:UserInstallation=file://" + dir.File("profile") +
                              " " + options + " --convert-to '" + to + "' --outdir " + outdir + " " + input +
                              " >/dev/null 2>&1";
  return std::system(command.c_str()) == 0;
}

std::vector<std::vector<TVariant>> Rows(const std::string& directory) {
  tables::TTable table;
  OpenItemTable(table, directory);
  table.SetIndexFieldNames(barmas::FBarcode);
  return AllItemRows(table);
}

TEST(CalcRoundTrip, ExportThroughASpreadsheetImportsToTheSameRows) {
  if (!HaveSoffice()) {
    if (testsupport::InCi()) FAIL() << "soffice (libreoffice-calc-nogui) is not installed";
    GTEST_SKIP() << "soffice (libreoffice-calc-nogui) is not installed";
  }
  testsupport::TTempDir from;
  testsupport::TTempDir to;
  CreateMissingTables(from.Path());
  const TVariant N{};
  const std::vector<std::vector<TVariant>> rows = {
      {std::string("0012345678905"), std::string("Caf\xE9, \"n\xB0 1\" \x80"), 1.5, 0.25, std::string("IT-1"), 3.0, N},
      {std::string("4006381333931"), std::string("Tea"), 0.1, N, N, 12.0, std::string("tea.jpg")},
  };
  std::vector<tables::TTable::TRowWrite> writes;
  for (const auto& row : rows) writes.push_back({0, row});
  tables::TTable table;
  OpenItemTable(table, from.Path());
  table.WriteRows(writes);
  table.SetIndexFieldNames(barmas::FBarcode);
  WriteTextFile(from.File("items.csv"), ItemCsvText(AllItemRows(table)));

  ASSERT_TRUE(Convert(from, "ods", from.File("items.csv"), from.File("ods"), "--infilter=CSV:44,34,76,1"));
  ASSERT_TRUE(fs::exists(from.File("ods/items.ods")));
  ASSERT_TRUE(Convert(from, "csv:Text - txt - csv (StarCalc):44,34,76,1", from.File("ods/items.ods"), from.File("back")));

  CreateMissingTables(to.Path());
  tables::TTable target;
  OpenItemTable(target, to.Path());
  TItemImport import(from.File("back/items.csv"), target);
  EXPECT_EQ(import.Report(), (std::vector<std::string>{"2 new, 0 changed, 0 refused",
                                                        "line 2: leading zeros restored: 0012345678905"}));
  import.Apply(true);
  EXPECT_EQ(Rows(to.Path()), rows);
}

}  // namespace
}  // namespace items
