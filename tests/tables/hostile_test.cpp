// Values another program put in the store that no field can hold: refused naming the
// field, on table files and on the server alike.
#include <gtest/gtest.h>

#include "support.h"

namespace tables::test {
namespace {

std::string Refusal(const std::function<void()>& action) {
  try {
    action();
  } catch (const ETableError& error) {
    return error.what();
  }
  return "";
}

struct THostileCase {
  const char* Name;
  std::string Literal;  // UTF-8 text for FName, as SQL
  std::string CodePoint;
};

std::ostream& operator<<(std::ostream& out, const THostileCase& c) { return out << c.Name; }

class Hostile : public ::testing::TestWithParam<THostileCase> {};

TEST_P(Hostile, CharacterWindows1252LacksIsRefusedNamingTheField) {
  TStore store;
  MakeBarmas(store.Database(), {{"100", "soap", ""}});
  store.OtherUser()->Exec(R"(INSERT INTO "Barmas" ("FBarcode", "FName") VALUES ('900', )" + GetParam().Literal + ")");
  auto table = OpenTable(store.Database());
  const std::string message = "Field FName of table Barmas holds the character " + GetParam().CodePoint +
                              ", which Windows-1252 lacks, so the row cannot be read";
  EXPECT_EQ(Refusal([&] { table->Next(); }), message);
  EXPECT_EQ(table->FieldByName("FName").AsString(), "soap");
  table->SetIndexFieldNames("FBarcode");
  EXPECT_EQ(Refusal([&] { table->FindKey({std::string("900")}); }), message);
  EXPECT_EQ(Refusal([&] { table->ReadRowsAt(0, 2); }), message);
}

INSTANTIATE_TEST_SUITE_P(Characters, Hostile,
                         ::testing::Values(THostileCase{"LatinExtended", "'A\xC4\x80'", "U+0100"},
                                           THostileCase{"C1Control", "'\xC2\x81'", "U+0081"},
                                           THostileCase{"Emoji", "'\xF0\x9F\x98\x80'", "U+1F600"}));

// A column declared as a number where the field is text (or any type no field has).
TEST(HostileLayout, ColumnOfAnotherTypeIsRefusedNamingTheField) {
  TStore store;
  store.OtherUser()->Exec(R"(CREATE TABLE "Barmas" ("FBarcode" VARCHAR(13), "FName" INTEGER))");
  EXPECT_TRUE(Refusal([&] { OpenTable(store.Database()); }).starts_with("Field FName has the type '"));
}

}  // namespace
}  // namespace tables::test
