// Items to and from CSV files against a real item table: what an import changes and
// keeps, that it writes all or nothing, the export read back to the same rows, and the
// mktables commands with their exit statuses.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "items/itemtransfer.h"
#include "items/shoptables.h"
#include "items/runmktables.h"
#include "support/tempdir.h"

namespace items {
namespace {

using tables::TVariant;
using testsupport::TTempDir;
using TRow = std::vector<TVariant>;

const TVariant N{};  // no value

// FBarcode FName FSP FCost FItcode FBarQty FPicPath
const std::vector<TRow> kStored = {
    {std::string("4006381333931"), std::string("old"), 1.5, N, std::string("IT1"), 5.0, std::string("p.jpg")},
    {std::string("4012345678901"), std::string("same"), 2.0, N, N, 1.0, N},
};

void WriteFile(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

std::vector<TRow> RowsByBarcode(const std::string& directory) {
  tables::TTable items;
  OpenItemTable(items, directory);
  items.SetIndexFieldNames(barmas::FBarcode);
  return AllItemRows(items);
}

void MakeItems(const std::string& directory, const std::vector<TRow>& rows) {
  CreateMissingTables(directory);
  tables::TTable items;
  OpenItemTable(items, directory);
  std::vector<tables::TTable::TRowWrite> writes;
  for (const TRow& row : rows) writes.push_back({0, row});
  items.WriteRows(writes);
}

struct TImportCase {
  const char* Name;
  bool Update;
  std::vector<TRow> After;
};

const TImportCase kImports[] = {
    {"UpdateTakesTheFilesColumnsKeepsTheOthers",
     true,
     {{std::string("4006381333931"), std::string("new name"), 1.5, N, std::string("IT1"), 5.0, std::string("p.jpg")},
      kStored[1],
      {std::string("5901234123457"), std::string("tea"), N, N, N, N, N}}},
    {"KeepLeavesExistingItems", false, {kStored[0], kStored[1], {std::string("5901234123457"), std::string("tea"), N, N, N, N, N}}},
};

void PrintTo(const TImportCase& c, std::ostream* os) { *os << c.Name; }

class ItemImport : public testing::TestWithParam<TImportCase> {};

TEST_P(ItemImport, NewChangedAndUnchangedRows) {
  TTempDir dir;
  MakeItems(dir.Path(), kStored);
  WriteFile(dir.File("in.csv"), "Barcode,Item Description\n4006381333931,new name\n4012345678901,same\n5901234123457,tea\n");
  tables::TTable items;
  OpenItemTable(items, dir.Path());
  TItemImport import(dir.File("in.csv"), items);
  EXPECT_EQ(import.Summary(), "1 new, 1 changed, 0 refused");
  import.Apply(GetParam().Update);
  EXPECT_EQ(RowsByBarcode(dir.Path()), GetParam().After);
}

INSTANTIATE_TEST_SUITE_P(Choices, ItemImport, testing::ValuesIn(kImports),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(ItemImport, WritesAllRowsOrNone) {
  TTempDir dir;
  MakeItems(dir.Path(), kStored);
  tables::TTable items;
  OpenItemTable(items, dir.Path());
  const std::vector<tables::TTable::TRowWrite> rows = {
      {0, {std::string("5901234123457"), N, N, N, N, N, N}},
      {0, {std::string("5901234123458"), std::string(41, 'x'), N, N, N, N, N}},
  };
  EXPECT_THROW(items.WriteRows(rows), tables::ETableError);
  EXPECT_EQ(RowsByBarcode(dir.Path()), kStored);
}

TEST(ItemExport, ReadBackGivesTheSameRows) {
  TTempDir from;
  TTempDir to;
  const std::vector<TRow> rows = {
      {std::string("0012345678905"), std::string("Caf\xE9, \"n\xB0 1\"\x80"), 0.1, 1e-7, std::string(" lead"), 3.0,
       std::string("C:\\pics\\a;b.jpg")},
      {std::string("4006381333931"), N, 123456.789, -2.5, N, 0.0, N},
      {std::string("5901234123457"), std::string(40, 'w'), 1.0 / 3, 1e15, std::string("x"), 9999.0, N},
  };
  MakeItems(from.Path(), rows);
  tables::TTable items;
  OpenItemTable(items, from.Path());
  items.SetIndexFieldNames(barmas::FBarcode);
  const std::string text = ItemCsvText(AllItemRows(items));
  EXPECT_TRUE(text.starts_with("\xEF\xBB\xBF" "FBarcode,FName,FSP,FCost,FItcode,FBarQty,FPicPath\r\n"));
  EXPECT_NE(text.find("\r\n4006381333931,,123456.789,-2.5,,0,\r\n"), std::string::npos);
  WriteTextFile(to.File("items.csv"), text);
  CreateMissingTables(to.Path());
  tables::TTable target;
  OpenItemTable(target, to.Path());
  TItemImport import(to.File("items.csv"), target);
  EXPECT_EQ(import.Summary(), "3 new, 0 changed, 0 refused");
  import.Apply(true);
  EXPECT_EQ(RowsByBarcode(to.Path()), rows);
}

using items::test::RunMktables;
using TRun = items::test::TMktablesRun;

struct TToolCase {
  const char* Name;
  const char* Arguments;  // DIR and FILE stand for the directory and the file
  int ExitCode;
  const char* Output;
  size_t RowsAfter;
  const char* NameAfter;  // of the first stored item
};

const TToolCase kToolCases[] = {
    {"RefusedLineWritesNothing", "import DIR FILE", 1,
     "1 new, 1 changed, 1 refused\nline 4: FBarcode: Barcode Should Be 13 Character\n"
     "Nothing was imported: a line was refused (--skip-refused imports the others)\n",
     2, "old"},
    {"SkipRefusedUpdates", "import DIR FILE --skip-refused", 0,
     "1 new, 1 changed, 1 refused\nline 4: FBarcode: Barcode Should Be 13 Character\n", 3, "changed"},
    {"KeepExisting", "import --keep-existing DIR FILE --skip-refused", 0,
     "1 new, 1 changed, 1 refused\nline 4: FBarcode: Barcode Should Be 13 Character\n", 3, "old"},
    {"UnknownOption", "import DIR FILE --force", 2,
     "Usage: mktables import DIR FILE.csv [--skip-refused] [--keep-existing]\n", 2, "old"},
    {"MissingFile", "export DIR", 2, "Usage: mktables export DIR FILE.csv\n", 2, "old"},
    {"NoTable", "import DIR/none FILE", 1, nullptr, 2, "old"},
};

void PrintTo(const TToolCase& c, std::ostream* os) { *os << c.Name; }

class MktablesItems : public testing::TestWithParam<TToolCase> {};

TEST_P(MktablesItems, ExitStatusOutputAndRows) {
  const TToolCase& c = GetParam();
  TTempDir dir;
  MakeItems(dir.Path(), kStored);
  const std::string file = dir.File("in.csv");
  WriteFile(file, "FBarcode,FName\n4006381333931,changed\n5901234123457,new\n123,short\n");
  std::string arguments = c.Arguments;
  for (const auto& [word, value] : {std::pair<std::string, std::string>{"DIR", dir.Path()}, {"FILE", file}}) {
    if (const auto at = arguments.find(word); at != std::string::npos) arguments.replace(at, word.size(), value);
  }
  const TRun run = RunMktables(arguments);
  EXPECT_EQ(run.ExitCode, c.ExitCode);
  const std::string expected = c.Output ? c.Output : "mktables: ";
  EXPECT_EQ(run.Output.substr(0, c.Output ? std::string::npos : expected.size()), expected) << run.Output;
  const auto rows = RowsByBarcode(dir.Path());
  EXPECT_EQ(rows.size(), c.RowsAfter);
  EXPECT_EQ(rows.at(0).at(1), TVariant(std::string(c.NameAfter)));
}

INSTANTIATE_TEST_SUITE_P(Commands, MktablesItems, testing::ValuesIn(kToolCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(MktablesItems, ExportThenImportElsewhere) {
  TTempDir from;
  TTempDir to;
  MakeItems(from.Path(), kStored);
  CreateMissingTables(to.Path());
  EXPECT_EQ(RunMktables("export " + from.Path() + " " + from.File("out.csv")).ExitCode, 0);
  const TRun run = RunMktables("import " + to.Path() + " " + from.File("out.csv"));
  EXPECT_EQ(run.ExitCode, 0);
  EXPECT_EQ(run.Output, "2 new, 0 changed, 0 refused\n");
  EXPECT_EQ(RowsByBarcode(to.Path()), kStored);
}

}  // namespace
}  // namespace items
