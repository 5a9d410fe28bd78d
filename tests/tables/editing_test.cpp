// States and changes of a cursor: append, edit, post, cancel, delete, the
// implicit end of a pending change, field values and their checks.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>

#include "support.h"

namespace tables::test {
namespace {

class Editing : public ::testing::Test {
 protected:
  void SetUp() override {
    MakeBarmas(Store.Database(), {{"100", "soap", "2.5"}, {"200", "rice", "10"}});
    Table = OpenTable(Store.Database());
  }
  TField& Field(const std::string& name) { return Table->FieldByName(name); }
  std::vector<std::string> StoredNames() { return Store.OtherUser()->Column(R"(SELECT "FName" FROM "Barmas" ORDER BY rowid)"); }
  TStore Store;
  std::unique_ptr<TTable> Table;
};

TEST_F(Editing, AppendPostEditCancel) {
  Table->Append();
  EXPECT_EQ(Table->State(), TDataSetState::dsInsert);
  EXPECT_TRUE(Field("FBarcode").IsNull());
  EXPECT_FALSE(Table->Modified());
  Field("FBarcode").SetAsString("300");
  Field("FName").SetValue(std::string("salt"));
  EXPECT_TRUE(Table->Modified());
  Table->Post();
  EXPECT_EQ(Table->State(), TDataSetState::dsBrowse);
  EXPECT_EQ(Field("FName").AsString(), "salt");  // stands on the new row
  EXPECT_EQ(StoredNames(), (std::vector<std::string>{"soap", "rice", "salt"}));

  Table->Edit();
  EXPECT_EQ(Table->State(), TDataSetState::dsEdit);
  Field("FName").SetAsString("sugar");
  Table->Cancel();
  EXPECT_EQ(Table->State(), TDataSetState::dsBrowse);
  EXPECT_EQ(Field("FName").AsString(), "salt");
  EXPECT_EQ(StoredNames(), (std::vector<std::string>{"soap", "rice", "salt"}));
}

TEST(EditingEmpty, EditOnAnEmptyTableStartsAnInsert) {
  TStore store;
  MakeBarmas(store.Database());
  auto table = OpenTable(store.Database());
  table->Edit();
  EXPECT_EQ(table->State(), TDataSetState::dsInsert);
  table->FieldByName("FPicPath").SetAsString("pic.jpg");
  table->Post();
  EXPECT_EQ(table->RecordCount(), 1);
  EXPECT_FALSE(table->Eof());
  EXPECT_EQ(table->FieldByName("FPicPath").AsString(), "pic.jpg");
}

TEST_F(Editing, WritingNeedsEditOrInsertState) {
  EXPECT_THROW(Field("FName").SetAsString("x"), ETableError);
  EXPECT_THROW(Table->Post(), ETableError);
  EXPECT_EQ(Field("FName").AsString(), "soap");
}

// The pending change before an operation: posted when modified, cancelled when not.
struct TImplicitCase {
  std::string Operation;
  std::function<void(TTable&)> Run;
  TDataSetState StateAfter;
};

std::ostream& operator<<(std::ostream& out, const TImplicitCase& c) { return out << c.Operation; }

const TImplicitCase kImplicitCases[] = {
    {"FindKey", [](TTable& t) { t.FindKey({std::string("200")}); }, TDataSetState::dsBrowse},
    {"Append", [](TTable& t) { t.Append(); }, TDataSetState::dsInsert},
    {"Edit", [](TTable& t) { t.Edit(); }, TDataSetState::dsEdit},
    {"First", [](TTable& t) { t.First(); }, TDataSetState::dsBrowse},
    {"Next", [](TTable& t) { t.Next(); }, TDataSetState::dsBrowse},
    {"Refresh", [](TTable& t) { t.Refresh(); }, TDataSetState::dsBrowse},
};

class EditingImplicit : public Editing, public ::testing::WithParamInterface<TImplicitCase> {
 protected:
  void SetUp() override {
    Editing::SetUp();
    Table->SetIndexFieldNames("Fbarcode");
  }
};

TEST_P(EditingImplicit, ModifiedNewRowIsPosted) {
  Table->Append();
  Field("FBarcode").SetAsString("150");
  GetParam().Run(*Table);
  EXPECT_EQ(Table->State(), GetParam().StateAfter);
  EXPECT_EQ(Table->RecordCount(), 3);
  EXPECT_TRUE(Table->FindKey({std::string("150")}));
}

TEST_P(EditingImplicit, UnmodifiedNewRowIsCancelled) {
  Table->Append();
  GetParam().Run(*Table);
  EXPECT_EQ(Table->State(), GetParam().StateAfter);
  Table->Cancel();
  EXPECT_EQ(Table->RecordCount(), 2);
}

TEST_P(EditingImplicit, ModifiedEditIsPosted) {
  Table->Edit();
  Field("FName").SetAsString("soap bar");
  GetParam().Run(*Table);
  EXPECT_EQ(Table->State(), GetParam().StateAfter);
  EXPECT_EQ(StoredNames(), (std::vector<std::string>{"soap bar", "rice"}));
}

INSTANTIATE_TEST_SUITE_P(Operations, EditingImplicit, ::testing::ValuesIn(kImplicitCases));

TEST_F(Editing, CloseInEditOrInsertDiscards) {
  Table->Edit();
  Field("FName").SetAsString("changed");
  Table->Close();
  EXPECT_EQ(Table->State(), TDataSetState::dsInactive);
  Table->Open();
  Table->Append();
  Field("FBarcode").SetAsString("999");
  Table->Close();
  EXPECT_EQ(StoredNames(), (std::vector<std::string>{"soap", "rice"}));
}

struct TLengthCase {
  std::string Field;
  std::string Value;
  bool Accepted;
};

std::ostream& operator<<(std::ostream& out, const TLengthCase& c) {
  return out << c.Field << " with " << c.Value.size() << " bytes";
}

std::string Repeat(const std::string& piece, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += piece;
  return text;
}

class EditingLength : public Editing, public ::testing::WithParamInterface<TLengthCase> {};

TEST_P(EditingLength, LongStringsAreRefusedAndTheRowStaysPending) {
  Table->Append();
  Field("FItcode").SetAsString("kept");
  const auto& c = GetParam();
  if (c.Accepted) {
    Field(c.Field).SetAsString(c.Value);
    EXPECT_EQ(Field(c.Field).AsString(), c.Value.substr(0, c.Value.find_last_not_of(' ') + 1));
    return;
  }
  const int size = Field(c.Field).Size();
  try {
    Field(c.Field).SetAsString(c.Value);
    FAIL() << "accepted";
  } catch (const ETableError& error) {
    EXPECT_EQ(std::string(error.what()),
              "Value too long for field " + c.Field + " (at most " + std::to_string(size) + " characters)");
  }
  EXPECT_EQ(Table->State(), TDataSetState::dsInsert);
  EXPECT_TRUE(Field(c.Field).IsNull());
  EXPECT_EQ(Field("FItcode").AsString(), "kept");
  Table->Post();  // the rest of the row can still be stored
  EXPECT_EQ(Store.OtherUser()->Column(R"(SELECT "FItcode" FROM "Barmas" ORDER BY rowid)").back(), "kept");
}

INSTANTIATE_TEST_SUITE_P(
    Values, EditingLength,
    ::testing::Values(TLengthCase{"FPicPath", Repeat("p", 40), true}, TLengthCase{"FPicPath", Repeat("p", 41), false},
                      TLengthCase{"FBarcode", Repeat("1", 13), true}, TLengthCase{"FBarcode", Repeat("1", 14), false},
                      TLengthCase{"FBarcode", Repeat("1", 13) + "   ", true},  // trailing blanks are not stored
                      // Windows-1252 text: one byte is one character, whatever the byte.
                      TLengthCase{"FName", Repeat("\xE9", 40), true}, TLengthCase{"FName", Repeat("\xE9", 41), false},
                      TLengthCase{"FName", Repeat("\xA3", 50), false},
                      TLengthCase{"FBarcode", Repeat("\xA3", 14), false},
                      TLengthCase{"FBarcode", Repeat("\x80", 13), true}));

struct TFloatCase {
  std::string Input;
  std::string AsString;  // what the field reads afterwards
  double AsFloat;
};

std::ostream& operator<<(std::ostream& out, const TFloatCase& c) { return out << "'" << c.Input << "'"; }

class EditingFloat : public Editing, public ::testing::WithParamInterface<TFloatCase> {};

TEST_P(EditingFloat, TextIsParsedAndReadBackNaturally) {
  Table->Edit();
  Field("FSP").SetAsString(GetParam().Input);
  Table->Post();
  Table->Refresh();
  EXPECT_EQ(Field("FSP").AsString(), GetParam().AsString);
  EXPECT_EQ(Field("FSP").AsFloat(), GetParam().AsFloat);
  EXPECT_EQ(Field("FSP").IsNull(), GetParam().Input.find_first_not_of(' ') == std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Texts, EditingFloat,
                         ::testing::Values(TFloatCase{"12.5", "12.5", 12.5}, TFloatCase{"12.50", "12.5", 12.5},
                                           TFloatCase{"3", "3", 3}, TFloatCase{" 7 ", "7", 7},
                                           TFloatCase{"+4", "4", 4}, TFloatCase{"-0.25", "-0.25", -0.25},
                                           TFloatCase{"1e3", "1000", 1000}, TFloatCase{"0.1", "0.1", 0.1},
                                           TFloatCase{"", "", 0}, TFloatCase{"  ", "", 0}));

TEST_F(Editing, NonNumbersAreRefusedForFloatFields) {
  Table->Edit();
  for (const std::string text : {"abc", "1,5", "12.5x", "inf", "nan", "--1", "+-1"}) {
    try {
      Field("FSP").SetAsString(text);
      ADD_FAILURE() << "accepted " << text;
    } catch (const ETableError& error) {
      EXPECT_EQ(std::string(error.what()), "'" + text + "' is not a valid number for field FSP");
    }
  }
  EXPECT_EQ(Table->State(), TDataSetState::dsEdit);
  EXPECT_EQ(Field("FSP").AsString(), "2.5");
}

TEST_F(Editing, NumbersAndStringsCrossFieldTypes) {
  Table->Edit();
  Field("FName").SetValue(0.1 + 0.2);
  EXPECT_EQ(Field("FName").AsString(), "0.3");
  Field("FName").SetAsFloat(42);
  EXPECT_EQ(Field("FName").AsFloat(), 42.0);
  Field("FName").SetAsString("not a number");
  EXPECT_EQ(Field("FName").AsFloat(), 0.0);
  Field("FCost").SetValue(std::string("1.25"));
  EXPECT_EQ(Field("FCost").AsFloat(), 1.25);
  Field("FCost").Clear();
  EXPECT_TRUE(Field("FCost").IsNull());
}

TEST_F(Editing, TrailingBlanksAreNotStored) {
  Table->Edit();
  Field("FName").SetAsString("soap   ");
  Table->Post();
  EXPECT_EQ(StoredNames().front(), "soap");
  Store.OtherUser()->Exec(R"(UPDATE "Barmas" SET "FName" = 'rice  ' WHERE "FBarcode" = '200')");
  Table->Last();
  EXPECT_EQ(Field("FName").AsString(), "rice");
}

TEST_F(Editing, FieldNamesIgnoreCase) {
  for (const std::string name : {"fbarcode", "Fbarcode", "FBarcode", "FBARCODE"}) {
    TField* field = Table->FindField(name);
    ASSERT_NE(field, nullptr) << name;
    EXPECT_EQ(field->FieldName(), "FBarcode");
    EXPECT_EQ(field->AsString(), "100");
  }
  EXPECT_EQ(Table->FindField("FBarcodes"), nullptr);
  try {
    Table->FieldByName("Price");
    FAIL() << "found";
  } catch (const ETableError& error) {
    EXPECT_STREQ(error.what(), "Field Price not found in table Barmas.DAT");
  }
}

TEST_F(Editing, FieldKeptAcrossCloseRaisesWhileClosedAndWorksAfterReopen) {
  TField& name = Field("FName");
  Table->Close();
  EXPECT_THROW(name.AsString(), ETableError);
  EXPECT_THROW(name.SetAsString("x"), ETableError);
  Table->Open();
  EXPECT_EQ(&Field("fname"), &name);
  EXPECT_EQ(name.AsString(), "soap");
}

TEST_F(Editing, DeleteMovesToTheNextRowOrThePriorAtTheEnd) {
  Table->Append();
  Field("FName").SetAsString("salt");
  Table->Post();
  Table->First();
  Table->Delete();
  EXPECT_EQ(Field("FName").AsString(), "rice");
  Table->Last();
  Table->Delete();
  EXPECT_EQ(Field("FName").AsString(), "rice");
  Table->Edit();
  Field("FName").SetAsString("dropped with the row");
  Table->Delete();
  EXPECT_EQ(Table->State(), TDataSetState::dsBrowse);
  EXPECT_TRUE(Table->Eof());
  EXPECT_TRUE(Table->Bof());
  EXPECT_EQ(Table->RecordCount(), 0);
  EXPECT_THROW(Table->Delete(), ETableError);
}

TEST_F(Editing, DeleteOfAPendingNewRowOnlyCancelsIt) {
  Table->Last();
  Table->Append();
  Field("FName").SetAsString("salt");
  Table->Delete();
  EXPECT_EQ(Table->State(), TDataSetState::dsBrowse);
  EXPECT_EQ(Table->RecordCount(), 2);
  EXPECT_EQ(Field("FName").AsString(), "rice");
}

}  // namespace
}  // namespace tables::test
