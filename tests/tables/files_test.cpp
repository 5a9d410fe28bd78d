// Table files and directories: names, databases, missing and damaged files,
// field layouts read from the file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <random>

#include "items/shoptables.h"
#include "support.h"

namespace tables::test {
namespace {

namespace fs = std::filesystem;

std::string OpenError(const std::string& directory, const std::string& table = "Barmas.DAT") {
  try {
    auto opened = OpenTable(directory, table);
    return "";
  } catch (const ETableError& error) {
    return error.what();
  }
}

TEST(Files, MissingFileIsRefusedAndNotCreated) {
  TTempDir dir;
  EXPECT_EQ(OpenError(dir.Path()), "Table file " + dir.File("Barmas.DAT") + " does not exist");
  EXPECT_FALSE(fs::exists(dir.File("Barmas.DAT")));
  EXPECT_TRUE(fs::is_empty(dir.Path()));
}

TEST(Files, FileOfRandomBytesIsRefused) {
  TTempDir dir;
  std::mt19937 random(7);
  std::string bytes;
  for (int i = 0; i < 8192; ++i) bytes += static_cast<char>(random());
  WriteFileBytes(dir.File("Barmas.DAT"), bytes);
  EXPECT_EQ(OpenError(dir.Path()), dir.File("Barmas.DAT") + " is not a table file (file is not a database)");
  EXPECT_EQ(ReadFileBytes(dir.File("Barmas.DAT")), bytes);
}

// Cut at a page boundary inside the file, and inside the header.
class FilesTruncated : public ::testing::TestWithParam<std::size_t> {};

TEST_P(FilesTruncated, TruncatedTableIsRefusedCleanly) {
  TTempDir dir;
  MakeBarmas(dir.Path());
  {
    TRawConnection raw(dir.File("Barmas.DAT"));
    raw.Exec("BEGIN");
    for (int i = 0; i < 3000; ++i) {
      raw.Exec("INSERT INTO Barmas (FBarcode, FName) VALUES ('" + std::to_string(100000 + i) +
               "', 'an item with a rather long name')");
    }
    raw.Exec("COMMIT");
  }
  const std::string whole = ReadFileBytes(dir.File("Barmas.DAT"));
  ASSERT_GT(whole.size(), 16 * 4096u);
  WriteFileBytes(dir.File("Barmas.DAT"), whole.substr(0, GetParam()));
  auto useWholeTable = [&] {
    auto table = OpenTable(dir.Path());
    table->SetIndexFieldNames("FBarcode");
    table->FindKey({std::string("102999")});
    table->Last();
    table->RecordCount();
    while (!table->Eof()) table->Next();
  };
  try {
    useWholeTable();
    FAIL() << "no error";
  } catch (const ETableError& error) {
    EXPECT_NE(std::string(error.what()).find(dir.File("Barmas.DAT")), std::string::npos) << error.what();
  }
}

INSTANTIATE_TEST_SUITE_P(Cuts, FilesTruncated, ::testing::Values(4096u, 3 * 4096u, 60u));

TEST(Files, FileWithoutTheTableIsRefused) {
  TTempDir dir;
  WriteFileBytes(dir.File("Barmas.DAT"), "");  // SQLite takes an empty file as an empty database
  EXPECT_EQ(OpenError(dir.Path()), "Table Barmas not found in " + dir.File("Barmas.DAT"));
  TRawConnection(dir.File("Barmas.DAT")).Exec("CREATE TABLE items (FBarcode VARCHAR(13))");
  EXPECT_EQ(OpenError(dir.Path()), "Table Barmas not found in " + dir.File("Barmas.DAT"));
}

TEST(Files, FieldLayoutIsReadFromTheFile) {
  TTempDir dir;
  WriteFileBytes(dir.File("Barmas.DAT"), "");
  TRawConnection(dir.File("Barmas.DAT"))
      .Exec("CREATE TABLE barmas (FBarcode VARCHAR(8), Fname char (3), Price REAL, Qty DOUBLE)");
  auto table = OpenTable(dir.Path());
  ASSERT_EQ(table->FieldCount(), 4);
  const std::vector<std::tuple<std::string, TFieldType, int>> expected = {
      {"FBarcode", TFieldType::ftString, 8},
      {"Fname", TFieldType::ftString, 3},
      {"Price", TFieldType::ftFloat, 0},
      {"Qty", TFieldType::ftFloat, 0}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(table->Fields(i).FieldName(), std::get<0>(expected[i]));
    EXPECT_EQ(table->Fields(i).DataType(), std::get<1>(expected[i]));
    EXPECT_EQ(table->Fields(i).Size(), std::get<2>(expected[i]));
  }
  table->Append();
  EXPECT_NO_THROW(table->FieldByName("FNAME").SetAsString("abc"));
  EXPECT_THROW(table->FieldByName("FNAME").SetAsString("abcd"), ETableError);
}

TEST(Files, UnsupportedColumnTypeIsRefusedNamingTheField) {
  TTempDir dir;
  WriteFileBytes(dir.File("Barmas.DAT"), "");
  TRawConnection(dir.File("Barmas.DAT")).Exec("CREATE TABLE Barmas (FBarcode VARCHAR(13), FNote TEXT)");
  EXPECT_EQ(OpenError(dir.Path()), "Field FNote has the type 'TEXT', which is not a table field type");
}

TEST(Files, ParamAndParamDatNameTheSameFile) {
  TTempDir dir;
  items::CreateMissingTables(dir.Path());
  auto byFile = OpenTable(dir.Path(), "param.DAT");
  auto byName = OpenTable(dir.Path(), "param");
  byFile->Edit();
  byFile->FieldByName("prtport").SetAsString("COM1");
  byFile->Post();
  byName->Refresh();
  EXPECT_EQ(byName->FieldByName("PRTPORT").AsString(), "COM1");
  EXPECT_FALSE(fs::exists(dir.File("param.DAT.DAT")));
}

TEST(Files, DirectoriesWithOrWithoutTrailingSeparator) {
  TTempDir dir;
  MakeBarmas(dir.Path(), {{"1", "one", ""}});
  const std::string bare = dir.Path().substr(0, dir.Path().size() - 1);
  for (const std::string& directory : {bare, bare + "/", bare + "//"}) {
    auto table = OpenTable(directory);
    EXPECT_EQ(table->FieldByName("FName").AsString(), "one") << directory;
  }
  EXPECT_EQ(OpenError(""), "No database is set for the table");
}

TEST(Files, NamedDatabaseStandsForItsDirectory) {
  TTempDir dir;
  MakeBarmas(dir.Path(), {{"1", "one", ""}});
  TDatabase database("tavrin");
  database.SetDirectory(dir.Path());
  EXPECT_EQ(TDatabase::FindDatabase("tavrin"), nullptr);  // only while connected
  database.Open();
  EXPECT_EQ(TDatabase::FindDatabase("TAVRIN"), &database);
  auto table = OpenTable("Tavrin");
  EXPECT_EQ(table->FieldByName("FName").AsString(), "one");

  TDatabase twin("tavrin");
  twin.SetDirectory("/elsewhere");
  EXPECT_THROW(twin.Open(), ETableError);
  EXPECT_THROW(database.SetDatabaseName("other"), ETableError);
  database.Close();
  EXPECT_EQ(TDatabase::FindDatabase("tavrin"), nullptr);
  // Without the database the name is only a (missing) directory.
  EXPECT_EQ(OpenError("tavrin"), "Table file tavrin/Barmas.DAT does not exist");
  TDatabase nameless;
  EXPECT_THROW(nameless.Open(), ETableError);
}

TEST(Files, CreateTableNeverOverwrites) {
  TTempDir dir;
  WriteFileBytes(dir.File("Barmas.DAT"), "user data");
  const auto& layout = items::BarmasLayout();
  try {
    CreateTable(dir.Path(), "Barmas", layout.Fields, layout.IndexFields);
    FAIL() << "overwritten";
  } catch (const ETableError& error) {
    EXPECT_EQ(std::string(error.what()), "Table file " + dir.File("Barmas.DAT") + " already exists");
  }
  EXPECT_EQ(ReadFileBytes(dir.File("Barmas.DAT")), "user data");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
}

TEST(Files, CreateTableRefusesBadLayouts) {
  TTempDir dir;
  const std::vector<std::vector<TFieldDef>> layouts = {
      {},
      {{"A", TFieldType::ftString, 0}},
      {{"A", TFieldType::ftString, 3}, {"a", TFieldType::ftFloat, 0}},
      {{"", TFieldType::ftFloat, 0}}};
  for (const auto& fields : layouts) EXPECT_THROW(CreateTable(dir.Path(), "T", fields, {}), ETableError);
  EXPECT_THROW(CreateTable(dir.Path(), "T", {{"A", TFieldType::ftFloat, 0}}, {"B"}), ETableError);
  EXPECT_THROW(CreateTable(dir.Path(), "T", {{"A", TFieldType::ftString, 2}}, {}, {{std::string("abc")}}),
               ETableError);
  EXPECT_THROW(CreateTable(dir.Path() + "missing/", "T", {{"A", TFieldType::ftFloat, 0}}, {}), ETableError);
  EXPECT_TRUE(fs::is_empty(dir.Path()));  // nothing half-made is left behind
}

TEST(Files, AMissingIndexIsAddedOnceAndTheRowsStayAsTheyWere) {
  TTempDir dir;
  MakeBarmas(dir.Path(), {{"200", "rice", "1.5"}, {"100", "soap", ""}});
  const std::string path = dir.Path() + "Barmas.DAT";
  TRawConnection raw(path);
  raw.Exec("DROP INDEX IF EXISTS Barmas_FItcode");
  const auto indexes = [&] { return raw.Column("SELECT name FROM sqlite_master WHERE type = 'index' ORDER BY name"); };
  const auto rows = [&] { return raw.Column("SELECT FBarcode || '/' || FName || '/' || ifnull(FSP, '') FROM Barmas ORDER BY rowid"); };
  const auto before = rows();
  auto table = OpenTable(dir.Path());
  table->AddMissingIndex("fitcode");  // names are matched without regard to case
  table->AddMissingIndex("FItcode");
  EXPECT_EQ(indexes(), (std::vector<std::string>{"Barmas_FBarcode", "Barmas_FItcode", "Barmas_FName"}));
  EXPECT_EQ(rows(), before);
  EXPECT_THROW(table->AddMissingIndex("FColour"), ETableError);
  table->Close();
  EXPECT_THROW(table->AddMissingIndex("FName"), ETableError);
}


// Browses the table as a user who may not write its file, and tells what the first write said.
// Permissions do not stop root, so root becomes nobody first (in the child process of the check).
[[noreturn]] void BrowseAsReader(const std::string& directory) {
  constexpr uid_t kNobody = 65534;
  if (geteuid() == 0 && (setgid(kNobody) != 0 || setuid(kNobody) != 0)) std::exit(2);
  try {
    auto table = OpenTable(directory);
    for (const auto& field : items::BarmasLayout().IndexFields) table->AddMissingIndex(field);
    table->SetIndexFieldNames("FItcode");
    if (Walk(*table, "FBarcode") != std::vector<std::string>{"200", "100"}) std::exit(3);
    table->Edit();
    table->FieldByName("FName").SetAsString("soap bar");
    table->Post();
  } catch (const ETableError& error) {
    std::fprintf(stderr, "%s\n", error.what());
    std::exit(0);
  }
  std::exit(4);
}

TEST(Files, AReadOnlyTableOpensForBrowsingAndItsFirstWriteSaysWhy) {
  TTempDir dir;
  MakeBarmas(dir.Path(), {{"200", "rice", ""}, {"100", "soap", ""}});
  TRawConnection(dir.File("Barmas.DAT")).Exec("DROP INDEX Barmas_FItcode");
  fs::permissions(dir.Folder(), fs::perms::all);
  fs::permissions(dir.File("Barmas.DAT"), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  EXPECT_EXIT(BrowseAsReader(dir.Path()), ::testing::ExitedWithCode(0),
              "^Table file " + dir.File("Barmas.DAT") + " is read-only: its rows can be browsed but not changed\n$");
}
TEST(Files, MissingFieldsAreAddedAfterTheOthersAndTheCursorStaysOnItsRow) {
  TTempDir dir;
  MakeBarmas(dir.Path(), {{"200", "rice", "1.5"}, {"100", "soap", ""}});
  auto table = OpenTable(dir.Path());
  table->Next();
  const std::vector<TFieldDef> wanted{{"fname", TFieldType::ftString, 40}, {"FColour", TFieldType::ftString, 8},
                                      {"FWeight", TFieldType::ftFloat, 0}};
  table->AddMissingFields(wanted);
  table->AddMissingFields(wanted);  // once only; names are matched without regard to case
  ASSERT_EQ(table->FieldCount(), 9);
  EXPECT_EQ(table->FieldDefs()[7].Name, "FColour");
  EXPECT_EQ(table->FieldDefs()[8].DataType, TFieldType::ftFloat);
  EXPECT_EQ(table->FieldByName("FName").AsString(), "soap");
  EXPECT_EQ(table->FieldByName("FColour").AsString(), "");
  EXPECT_EQ(table->RecordCount(), 2);
  table->Edit();
  table->FieldByName("FColour").SetAsString("red");
  EXPECT_THROW(table->AddMissingFields({{"FSize", TFieldType::ftString, 2}}), ETableError);
  table->Post();
  EXPECT_EQ(TRawConnection(dir.Path() + "Barmas.DAT").Column("SELECT FName || '/' || ifnull(FColour, '') FROM Barmas ORDER BY rowid"),
            (std::vector<std::string>{"rice/", "soap/red"}));
}

}  // namespace
}  // namespace tables::test
