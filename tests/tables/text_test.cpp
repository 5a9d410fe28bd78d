// The text of string fields: the program's Windows-1252 in the cursor, its UTF-8
// form in the file (so other tools read it right), and what the engine does with
// text in the file that has no Windows-1252 form.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "support.h"

namespace tables::test {
namespace {

// "Crème brûlée 5€" in Windows-1252 and in UTF-8.
const std::string kAnsiName = "Cr\xE8me br\xFBl\xE9\x65 5\x80";
const std::string kUtf8Name = "Cr\xC3\xA8me br\xC3\xBBl\xC3\xA9\x65 5\xE2\x82\xAC";

class Text : public ::testing::Test {
 protected:
  void SetUp() override { MakeBarmas(Dir.Path(), {{"100", "soap", "2.5"}}); }
  TRawConnection Raw() { return TRawConnection(Dir.File("Barmas.DAT")); }
  std::string Refusal(const std::function<void()>& action) {
    try {
      action();
    } catch (const ETableError& error) {
      return error.what();
    }
    return "accepted";
  }
  TTempDir Dir;
};

TEST_F(Text, StringsAreStoredAsUtf8AndReadBackAsWindows1252) {
  auto table = OpenTable(Dir.Path());
  table->Append();
  table->FieldByName("FBarcode").SetAsString("200");
  table->FieldByName("FName").SetAsString(kAnsiName);
  table->Post();
  EXPECT_EQ(Raw().Column("SELECT FName FROM Barmas WHERE FBarcode = '200'"), std::vector<std::string>{kUtf8Name});
  EXPECT_EQ(Raw().Column("SELECT length(FName) FROM Barmas WHERE FBarcode = '200'"), std::vector<std::string>{"15"});
  table->Close();
  table->Open();
  table->Last();
  EXPECT_EQ(table->FieldByName("FName").AsString(), kAnsiName);
}

TEST_F(Text, Utf8WrittenByAnotherProgramReadsAndIsFoundInWindows1252) {
  Raw().Exec("INSERT INTO Barmas (FBarcode, FName) VALUES ('300', '" + kUtf8Name + "')");
  auto table = OpenTable(Dir.Path());
  table->SetIndexFieldNames("FName");
  ASSERT_TRUE(table->FindKey({kAnsiName}));
  EXPECT_EQ(table->FieldByName("FBarcode").AsString(), "300");
  EXPECT_EQ(table->FieldByName("FName").AsString(), kAnsiName);
  // An edit of another field keeps the name as the file holds it.
  table->Edit();
  table->FieldByName("FItcode").SetAsString("x");
  table->Post();
  EXPECT_EQ(Raw().Column("SELECT FName FROM Barmas WHERE FBarcode = '300'"), std::vector<std::string>{kUtf8Name});
}

struct TUnreadableCase {
  std::string SqlValue;  // an SQL expression for FName
  std::string Message;
};

std::ostream& operator<<(std::ostream& out, const TUnreadableCase& c) { return out << c.SqlValue; }

class TextUnreadable : public Text, public ::testing::WithParamInterface<TUnreadableCase> {};

// A row the engine cannot read is refused naming the field; the cursor stays where it was,
// and nothing is written back.
TEST_P(TextUnreadable, RowIsRefusedNamingTheFieldAndTheCursorStays) {
  Raw().Exec("INSERT INTO Barmas (FBarcode, FName) VALUES ('900', " + GetParam().SqlValue + ")");
  const auto before = ReadFileBytes(Dir.File("Barmas.DAT"));
  auto table = OpenTable(Dir.Path());
  EXPECT_EQ(table->FieldByName("FName").AsString(), "soap");
  EXPECT_EQ(Refusal([&] { table->Next(); }), GetParam().Message);
  EXPECT_EQ(table->FieldByName("FName").AsString(), "soap");
  EXPECT_FALSE(table->Eof());
  EXPECT_EQ(Refusal([&] { table->Last(); }), GetParam().Message);
  table->SetIndexFieldNames("FBarcode");
  EXPECT_EQ(Refusal([&] { table->FindKey({"900"}); }), GetParam().Message);
  EXPECT_EQ(table->State(), TDataSetState::dsBrowse);
  EXPECT_EQ(Raw().Column("SELECT hex(FName) FROM Barmas WHERE FBarcode = '900'"),
            Raw().Column("SELECT hex(" + GetParam().SqlValue + ")"));

  // A table whose first row is unreadable does not open.
  Raw().Exec("DELETE FROM Barmas WHERE FBarcode = '100'");
  TTable first;
  first.SetDatabaseName(Dir.Path());
  first.SetTableName("Barmas.DAT");
  EXPECT_EQ(Refusal([&] { first.Open(); }), GetParam().Message);
  EXPECT_FALSE(first.Active());
}

const std::string kNotUtf8 = "Field FName of table Barmas holds text that is not valid UTF-8, so the row cannot be read";

std::string Lacks(const std::string& codePoint) {
  return "Field FName of table Barmas holds the character " + codePoint + ", which Windows-1252 lacks, so the row cannot be read";
}

INSTANTIATE_TEST_SUITE_P(
    Values, TextUnreadable,
    ::testing::Values(TUnreadableCase{"CAST(X'436166E9' AS TEXT)", kNotUtf8},  // "Café" in Windows-1252 bytes
                      TUnreadableCase{"X'E9'", kNotUtf8},                         // a blob, not UTF-8 either
                      TUnreadableCase{"CAST(X'C0AF' AS TEXT)", kNotUtf8},         // overlong "/"
                      TUnreadableCase{"'A' || char(256)", Lacks("U+0100")},
                      TUnreadableCase{"char(129)", Lacks("U+0081")},              // C1 control, no character
                      TUnreadableCase{"char(128512)", Lacks("U+1F600")}));

struct TUnassignedCase {
  std::string Text;
  const char* Byte;
};

TEST_F(Text, BytesThatAreNoWindows1252CharacterAreNotStored) {
  auto table = OpenTable(Dir.Path());
  table->Append();
  for (const TUnassignedCase& c : std::vector<TUnassignedCase>{
           {"a\x81", "0x81"}, {"\x8D", "0x8D"}, {"b\x8F", "0x8F"}, {"\x90x", "0x90"}, {"\x9D\x81", "0x9D"}}) {
    EXPECT_EQ(Refusal([&] { table->FieldByName("FName").SetAsString(c.Text); }),
              std::string("Field FName cannot store the byte ") + c.Byte + ": it is no character of Windows-1252");
  }
  EXPECT_TRUE(table->FieldByName("FName").IsNull());
  table->Cancel();
  table->SetIndexFieldNames("FBarcode");
  EXPECT_EQ(Refusal([&] { table->FindKey({"\x90"}); }),
            "Field FBarcode cannot store the byte 0x90: it is no character of Windows-1252");
  EXPECT_EQ(Raw().Column("SELECT count(*) FROM Barmas"), std::vector<std::string>{"1"});
}

}  // namespace
}  // namespace tables::test
