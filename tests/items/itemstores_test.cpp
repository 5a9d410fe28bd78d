// mktables against both stores, on a private PostgreSQL server: a data directory that
// names a server gets its item table there and only param.DAT at home, and items
// copied between files and the server come back the same, all or nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "items/itemtransfer.h"
#include "items/runmktables.h"
#include "items/shoptables.h"
#include "tables/support.h"
#include "support/ci.h"

namespace items {
namespace {

using tables::TVariant;
using testsupport::TTempDir;
using TRow = std::vector<TVariant>;
using items::test::RunMktables;

const TVariant N{};

// FBarcode FName FSP FCost FItcode FBarQty FPicPath
const std::vector<TRow> kItems = {
    {std::string("0012345678905"), std::string("Caf\xE9 \"1\"\x80"), 0.1, 1e-7, std::string(" lead"), 3.0,
     std::string("C:\\pics\\a;b.jpg")},
    {std::string("4006381333931"), N, 123456.789, -2.5, N, 0.0, N},
    {std::string("5901234123457"), std::string(40, 'w'), 1.0 / 3, 1e15, std::string("x"), 9999.0, N},
};
const std::vector<TRow> kOther = {{std::string("9999999999999"), std::string("other"), 1.0, N, N, N, N}};

testsupport::TPrivatePostgres& Server() {
  static testsupport::TPrivatePostgres server;
  return server;
}

std::vector<std::string> ServerColumn(const std::string& sql) {
  return tables::test::TRawConnection::ToServer(Server().SocketLine())->Column(sql);
}

class ItemStores : public testing::Test {
 protected:
  void SetUp() override {
    SKIP_OR_FAIL_WHEN_MISSING(Server().Failure());
    tables::test::TRawConnection::ToServer(Server().SocketLine())->Exec("DROP TABLE IF EXISTS \"Barmas\"");
    std::filesystem::create_directory(OnServer.File("databases"));
    std::ofstream(OnServer.File("databases/tavrin.uri")) << Server().SocketLine() << "\n";
  }
  TTempDir OnServer;
};

std::vector<TRow> RowsOf(const std::string& directory) {
  const TItemDatabase database(directory);
  tables::TTable items;
  OpenItemTable(items, database.Name());
  items.SetIndexFieldNames(barmas::FBarcode);
  return AllItemRows(items);
}

void MakeItems(const std::string& directory, const std::vector<TRow>& rows) {
  CreateMissingTables(directory);
  const TItemDatabase database(directory);
  tables::TTable items;
  OpenItemTable(items, database.Name());
  std::vector<tables::TTable::TRowWrite> writes;
  for (const TRow& row : rows) writes.push_back({0, row});
  items.WriteRows(writes);
}

// The server table's columns with type and size, then its index definitions.
std::vector<std::string> ServerLayout() {
  auto layout = ServerColumn(
      "SELECT column_name || ' ' || data_type || coalesce(' ' || character_maximum_length, '') FROM "
      "information_schema.columns WHERE table_name = 'Barmas' ORDER BY ordinal_position");
  for (auto& index : ServerColumn("SELECT indexdef FROM pg_indexes WHERE tablename = 'Barmas' ORDER BY indexname"))
    layout.push_back(index);
  return layout;
}

TEST_F(ItemStores, DirectoryNamingAServerGetsTheItemTableThereOnlyParamHere) {
  const auto first = RunMktables(OnServer.Path());
  EXPECT_EQ(first.ExitCode, 0) << first.Output;
  EXPECT_TRUE(first.Output.starts_with("Created Barmas in database postgres on server ")) << first.Output;
  EXPECT_TRUE(std::filesystem::exists(OnServer.File("param.DAT")));
  EXPECT_FALSE(std::filesystem::exists(OnServer.File("Barmas.DAT")));
  const auto layout = ServerLayout();
  for (const auto& field : BarmasLayout().Fields) {
    const std::string type = field.DataType == tables::TFieldType::ftString
                                 ? "character varying " + std::to_string(field.Size) : "double precision";
    EXPECT_NE(std::ranges::find(layout, field.Name + " " + type), layout.end()) << field.Name;
  }
  for (const auto& index : BarmasLayout().IndexFields) {
    EXPECT_TRUE(std::ranges::any_of(layout, [&](const std::string& line) {
      return line.starts_with("CREATE INDEX") && line.find("(\"" + index + "\"") != std::string::npos;
    })) << index;
  }
  const auto second = RunMktables(OnServer.Path());
  EXPECT_EQ(second.ExitCode, 0) << second.Output;
  EXPECT_TRUE(second.Output.starts_with("Kept existing Barmas in database postgres")) << second.Output;
  EXPECT_EQ(ServerLayout(), layout);
  EXPECT_FALSE(std::filesystem::exists(OnServer.File("Barmas.DAT")));
}

TEST_F(ItemStores, CopyFilesToServerAndBackGivesTheSameRows) {
  TTempDir from;
  TTempDir back;
  MakeItems(from.Path(), kItems);
  CreateMissingTables(OnServer.Path());
  CreateMissingTables(back.Path());
  for (const auto& [source, target] : {std::pair{from.Path(), OnServer.Path()}, {OnServer.Path(), back.Path()}}) {
    const auto run = RunMktables("copy " + source + " " + target);
    EXPECT_EQ(run.ExitCode, 0) << run.Output;
    EXPECT_EQ(run.Output, "Copied 3 items\n");
    EXPECT_EQ(RowsOf(target), kItems) << target;
  }
}

struct TCopyCase {
  const char* Name;
  const char* Arguments;  // FROM and TO stand for the files and the server directory
  int ExitCode;
  const char* Output;      // the start of what it writes
  bool TargetGetsSource;  // else the target keeps its own items
};

const TCopyCase kCopyCases[] = {
    {"NonEmptyTargetRefused", "copy FROM TO", 1, "mktables: The item table of ", false},
    {"ReplaceEmptiesItFirst", "copy FROM TO --replace", 0, "Copied 3 items\n", true},
    {"OneDirectoryOnly", "copy FROM", 2, "Usage: mktables copy FROM TO [--replace]\n", false},
    {"ThreeDirectories", "copy FROM TO FROM", 2, "Usage: mktables copy FROM TO [--replace]\n", false},
    {"UnknownOption", "copy FROM TO --force", 2, "Usage: mktables copy FROM TO [--replace]\n", false},
    {"MissingSource", "copy FROM/none TO --replace", 1, "mktables: ", false},
};

void PrintTo(const TCopyCase& c, std::ostream* os) { *os << c.Name; }

class ItemCopy : public ItemStores, public testing::WithParamInterface<TCopyCase> {};

TEST_P(ItemCopy, ExitStatusOutputAndTarget) {
  const TCopyCase& c = GetParam();
  TTempDir from;
  MakeItems(from.Path(), kItems);
  MakeItems(OnServer.Path(), kOther);
  std::string arguments = c.Arguments;
  for (const auto& [word, value] : {std::pair<std::string, std::string>{"FROM", from.Path()}, {"TO", OnServer.Path()}}) {
    if (const auto at = arguments.find(word); at != std::string::npos) arguments.replace(at, word.size(), value);
  }
  const auto run = RunMktables(arguments);
  EXPECT_EQ(run.ExitCode, c.ExitCode);
  EXPECT_TRUE(run.Output.starts_with(c.Output)) << run.Output;
  EXPECT_EQ(RowsOf(OnServer.Path()), c.TargetGetsSource ? kItems : kOther);
}

INSTANTIATE_TEST_SUITE_P(Commands, ItemCopy, testing::ValuesIn(kCopyCases),
                         [](const auto& info) { return std::string(info.param.Name); });

// A row the target cannot hold stops the copy after the emptying: that is undone too.
TEST_F(ItemStores, CopyThatFailsLeavesTheTargetAsItWas) {
  TTempDir from;
  TTempDir narrow;
  MakeItems(from.Path(), kItems);
  auto fields = BarmasLayout().Fields;
  fields[ItemFieldIndex(barmas::FName)].Size = 5;
  tables::CreateTable(narrow.Path(), barmas::kTable, fields, {});
  tables::TTable items;
  OpenItemTable(items, narrow.Path());
  items.WriteRows({{0, kOther[0]}});
  items.Close();
  const auto run = RunMktables("copy " + from.Path() + " " + narrow.Path() + " --replace");
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_TRUE(run.Output.starts_with("mktables: ")) << run.Output;
  EXPECT_EQ(RowsOf(narrow.Path()), kOther);
}

}  // namespace
}  // namespace items
