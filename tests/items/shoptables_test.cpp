// The shop's tables: their layouts in the files, creating the missing ones,
// and the mktables tool.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>

#include "items/shoptables.h"
#include "items/runmktables.h"
#include "tables/support.h"

namespace tables::test {
namespace {

struct TFieldRow {
  const char* Name;
  TFieldType Type;
  int Size;
};

constexpr TFieldType S = TFieldType::ftString;
constexpr TFieldType F = TFieldType::ftFloat;

// The two layouts as the shop's data model gives them, field by field.
const TFieldRow kBarmasFields[] = {
    {"FBarcode", S, 13}, {"FName", S, 40},   {"FSP", F, 0},       {"FCost", F, 0},
    {"FItcode", S, 13},  {"FBarQty", F, 0}, {"FPicPath", S, 40},
};
const TFieldRow kParamFields[] = {
    {"COCD", S, 2},     {"COMNAME", S, 30}, {"FILEEXT", S, 10}, {"FILEDIR", S, 20},
    {"MOVEDIR", S, 20}, {"PRTPORT", S, 5},  {"PRTNAME", S, 20}, {"LABELDPI", S, 3},
    {"LABELW", S, 6},   {"LABELL", S, 6},   {"OFFSETX", S, 4},  {"OFFSETY", S, 4},
    {"DARKNESS", S, 2},
};

template <size_t N>
void ExpectLayoutInFile(const std::string& directory, const std::string& table, const TFieldRow (&fields)[N]) {
  SCOPED_TRACE(table);
  auto opened = OpenTable(directory, table);
  ASSERT_EQ(opened->FieldCount(), static_cast<int>(N));
  for (int i = 0; i < opened->FieldCount(); ++i) {
    EXPECT_EQ(opened->Fields(i).FieldName(), fields[i].Name);
    EXPECT_EQ(opened->Fields(i).DataType(), fields[i].Type);
    EXPECT_EQ(opened->Fields(i).Size(), fields[i].Size);
  }
}

TEST(Schema, CreatesBothTablesInAnEmptyDirectory) {
  TTempDir dir;
  const auto report = items::CreateMissingTables(dir.Path());
  ASSERT_EQ(report.size(), 2u);
  EXPECT_EQ(report[0].Path, dir.File("Barmas.DAT"));
  EXPECT_EQ(report[1].Path, dir.File("param.DAT"));
  EXPECT_TRUE(report[0].Created && report[1].Created);
  ExpectLayoutInFile(dir.Path(), "Barmas", kBarmasFields);
  ExpectLayoutInFile(dir.Path(), "param", kParamFields);

  EXPECT_EQ(OpenTable(dir.Path())->RecordCount(), 0);
  auto param = OpenTable(dir.Path(), "param");
  EXPECT_EQ(param->RecordCount(), 1);
  EXPECT_EQ(param->FieldByName("Comname").AsString(), "");
  EXPECT_EQ(param->FieldByName("COCD").AsString(), "");
  EXPECT_EQ(param->FieldByName("prtport").AsString(), "LPT1");
  EXPECT_EQ(param->FieldByName("prtname").AsString(), "Z");

  TRawConnection raw(dir.File("Barmas.DAT"));
  EXPECT_EQ(raw.Column("SELECT sql FROM sqlite_schema WHERE type = 'index' ORDER BY name"),
            (std::vector<std::string>{R"(CREATE INDEX "Barmas_FBarcode" ON "Barmas" ("FBarcode"))",
                                      R"(CREATE INDEX "Barmas_FItcode" ON "Barmas" ("FItcode"))",
                                      R"(CREATE INDEX "Barmas_FName" ON "Barmas" ("FName"))"}));
  EXPECT_EQ(raw.Column("PRAGMA journal_mode"), (std::vector<std::string>{"wal"}));
}

TEST(Schema, ExistingFilesAreNeverTouched) {
  TTempDir dir;
  MakeBarmas(dir.Path(), {{"5012345678900", "the user's item", "9.5"}});
  const std::string before = ReadFileBytes(dir.File("Barmas.DAT"));
  const auto report = items::CreateMissingTables(dir.Path());
  EXPECT_FALSE(report[0].Created);
  EXPECT_TRUE(report[1].Created);
  EXPECT_EQ(ReadFileBytes(dir.File("Barmas.DAT")), before);
  auto items = OpenTable(dir.Path());
  EXPECT_EQ(items->FieldByName("FName").AsString(), "the user's item");

  WriteFileBytes(dir.File("param.DAT"), "not even a table");
  const auto again = items::CreateMissingTables(dir.Path());
  EXPECT_FALSE(again[0].Created || again[1].Created);
  EXPECT_EQ(ReadFileBytes(dir.File("param.DAT")), "not even a table");
}

using items::test::RunMktables;
using TRun = items::test::TMktablesRun;

TEST(Mktables, CreatesWhatIsMissingAndSaysSo) {
  TTempDir dir;
  MakeBarmas(dir.Path(), {{"1", "kept", ""}});
  const auto first = RunMktables(dir.Path());
  EXPECT_EQ(first.ExitCode, 0);
  EXPECT_EQ(first.Output,
            "Kept existing " + dir.File("Barmas.DAT") + "\nCreated " + dir.File("param.DAT") + "\n");
  const auto second = RunMktables(dir.Path());
  EXPECT_EQ(second.ExitCode, 0);
  EXPECT_EQ(second.Output,
            "Kept existing " + dir.File("Barmas.DAT") + "\nKept existing " + dir.File("param.DAT") + "\n");
  EXPECT_EQ(OpenTable(dir.Path())->FieldByName("FName").AsString(), "kept");
}

TEST(Mktables, RefusesAMissingDirectoryOrMissingArgument) {
  TTempDir dir;
  const auto missing = RunMktables(dir.File("nowhere"));
  EXPECT_EQ(missing.ExitCode, 1);
  EXPECT_EQ(missing.Output, "mktables: Directory " + dir.File("nowhere/") + " does not exist\n");
  EXPECT_FALSE(std::filesystem::exists(dir.File("nowhere")));
  EXPECT_EQ(RunMktables("").ExitCode, 2);
}

}  // namespace
}  // namespace tables::test
