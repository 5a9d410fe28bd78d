// The bound edit: what it shows, how the first change starts an edit and every
// change reaches the field, and which typed or pasted text it refuses.
#include "controls/dbedit.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QVBoxLayout>

#include "controls/fieldtext.h"
#include "controls/qtext.h"
#include "messages.h"
#include "tables/support.h"

namespace controls::test {
namespace {

using tables::TDataSetState;
using tables::test::TRawConnection;
using tables::test::TTempDir;
using Texts = std::vector<std::string>;

class Edit : public ::testing::Test {
 protected:
  void Open(const std::vector<tables::test::TItem>& items = {{"100", "soap", "2"}, {"200", "rice", ""}}) {
    tables::test::MakeBarmas(Dir.Path(), items);
    Table.SetDatabaseName(Dir.Path());
    Table.SetTableName("Barmas.DAT");
    Table.SetIndexFieldNames("FBarcode");
    Table.Open();
    Source.SetDataSet(&Table);
    Name.SetDataSource(&Source);
    Price.SetDataSource(&Source);
    auto* layout = new QVBoxLayout(&Window);
    layout->addWidget(&Name);
    layout->addWidget(&Price);
    Window.show();
    Window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Window));
  }
  // One key event per character, as a keyboard layout that has it would send (QTest's own
  // key clicks know only ASCII).
  void TypeInto(QLineEdit& box, const QString& text) {
    box.setFocus();
    for (const QChar character : text) {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(character));
      QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(character));
      QApplication::sendEvent(&box, &press);
      QApplication::sendEvent(&box, &release);
    }
  }
  Texts StoredNames() {
    return TRawConnection(Dir.Path() + "Barmas.DAT").Column("SELECT FName FROM Barmas ORDER BY FBarcode");
  }

  TTempDir Dir;
  tables::TTable Table;
  tables::TDataSource Source;
  QWidget Window;
  // Declared after the window, so they leave it before it goes.
  TDBEdit Name{{"nameEdit", "FName"}};
  TDBEdit Price{{"priceEdit", "FSP"}};
  TCapturedMessages Messages;
};

TEST_F(Edit, ShowsTheFieldOfTheCursorsRow) {
  Open();
  EXPECT_EQ(Name.objectName(), "nameEdit");
  EXPECT_EQ(Name.property("dataField").toString(), "FName");
  EXPECT_EQ(Name.maxLength(), 40);
  EXPECT_EQ(Name.text(), "soap");
  EXPECT_EQ(Price.text(), "2");
  Table.Next();
  EXPECT_EQ(Name.text(), "rice");
  EXPECT_EQ(Price.text(), "");
  Table.Close();
  EXPECT_EQ(Name.text(), "");
}

TEST_F(Edit, TheFirstKeystrokeStartsAnEditAndEveryChangeReachesTheField) {
  Open();
  TypeInto(Name, "y");
  EXPECT_EQ(Table.State(), TDataSetState::dsEdit);
  EXPECT_EQ(Table.FieldByName("FName").AsString(), "soapy");
  QTest::keyClick(&Name, Qt::Key_Backspace);
  QTest::keyClick(&Name, Qt::Key_Backspace);
  EXPECT_EQ(Table.FieldByName("FName").AsString(), "soa");
  EXPECT_EQ(Name.text(), "soa");
  EXPECT_EQ(StoredNames(), (Texts{"soap", "rice"}));  // pending until posted
  Table.Post();
  EXPECT_EQ(StoredNames(), (Texts{"soa", "rice"}));
  EXPECT_TRUE(Messages.Texts.empty());
}

TEST_F(Edit, TypingIntoAnEmptyTableStartsANewRow) {
  Open({});
  TypeInto(Name, "tea");
  EXPECT_EQ(Table.State(), TDataSetState::dsInsert);
  Table.Post();
  EXPECT_EQ(StoredNames(), Texts{"tea"});
}

TEST_F(Edit, Windows1252CharactersAreStoredAsTheirBytes) {
  Open();
  TypeInto(Name, QString::fromUtf16(u"caf\u00E9 \u20AC"));
  EXPECT_EQ(Table.FieldByName("FName").AsString(), "soapcaf\xE9 \x80");
}

TEST_F(Edit, TypingStopsAtTheFieldsSize) {
  Open();
  TypeInto(Name, QString(50, 'x'));
  EXPECT_EQ(Table.FieldByName("FName").AsString(), "soap" + std::string(36, 'x'));
}

TEST_F(Edit, ATypedCharacterOutsideTheCodePageIsRefusedAndShown) {
  Open();
  TypeInto(Name, QString::fromUtf16(u"\u03A9"));
  EXPECT_EQ(Messages.Take(), Texts{BadCharactersMessage("FName")});
  EXPECT_EQ(Name.text(), "soap");
  EXPECT_EQ(Table.State(), TDataSetState::dsBrowse);
}

struct TPasteCase {
  const char* Name;
  QString Clipboard;
  Texts Shown;
  std::string Stored;
};

class EditPaste : public Edit, public ::testing::WithParamInterface<TPasteCase> {};

TEST_P(EditPaste, APasteIsCheckedWhole) {
  Open();
  QGuiApplication::clipboard()->setText(GetParam().Clipboard);
  Name.setFocus();
  Name.end(false);
  QTest::keySequence(&Name, QKeySequence::Paste);
  EXPECT_EQ(Messages.Take(), GetParam().Shown);
  EXPECT_EQ(Table.FieldByName("FName").AsString(), GetParam().Stored);
  EXPECT_EQ(FromQString(Name.text()), GetParam().Stored);
}

INSTANTIATE_TEST_SUITE_P(
    Clipboards, EditPaste,
    ::testing::Values(TPasteCase{"Fits", " bar", {}, "soap bar"},
                      TPasteCase{"Tab", "a\tb", {BadCharactersMessage("FName")}, "soap"},
                      TPasteCase{"LineBreak", "a\nb", {BadCharactersMessage("FName")}, "soap"},
                      TPasteCase{"Greek", QString::fromUtf16(u"\u03B1\u03B2"), {BadCharactersMessage("FName")}, "soap"},
                      // 4 + 37 characters: one more than the field holds.
                      TPasteCase{"TooLong", QString(37, 'x'), {"Value too long for field FName (at most 40 characters)"},
                                 "soap"},
                      TPasteCase{"Exactly", QString(36, 'x'), {}, "soap" + std::string(36, 'x')}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(Edit, AReadOnlyBoxTakesNeitherKeysNorPastes) {
  Open();
  Name.setReadOnly(true);
  TypeInto(Name, "y");
  Name.PasteText("bar");
  QGuiApplication::clipboard()->setText("tea");
  QTest::keySequence(&Name, QKeySequence::Paste);
  EXPECT_EQ(Name.text(), "soap");
  EXPECT_EQ(Table.State(), TDataSetState::dsBrowse);
  EXPECT_TRUE(Messages.Texts.empty());
}

TEST_F(Edit, AFloatFieldRefusesTextThatIsNotANumberOnLeaving) {
  Open();
  Price.setFocus();
  Price.selectAll();
  TypeInto(Price, "cheap");
  EXPECT_TRUE(Messages.Texts.empty());  // still typing
  Name.setFocus();
  EXPECT_EQ(Messages.Take(), Texts{"'cheap' is not a valid number for field FSP"});
  EXPECT_EQ(Price.text(), "2");
  EXPECT_EQ(Table.FieldByName("FSP").AsFloat(), 2.0);
}

TEST_F(Edit, AFloatFieldTakesANumberAsItIsTyped) {
  Open();
  Price.setFocus();
  Price.selectAll();
  TypeInto(Price, "-2.5");
  EXPECT_EQ(Table.FieldByName("FSP").AsFloat(), -2.5);
  Name.setFocus();
  EXPECT_TRUE(Messages.Texts.empty());
  EXPECT_EQ(Price.text(), "-2.5");
}

TEST_F(Edit, AnEditThatCannotStartIsShownAndTheBoxShowsTheField) {
  Open();
  TRawConnection(Dir.Path() + "Barmas.DAT").Exec("DELETE FROM Barmas WHERE FBarcode = '100'");
  TypeInto(Name, "y");
  EXPECT_EQ(Messages.Take(), Texts{"Cannot edit table Barmas.DAT: the row was deleted by another user"});
  EXPECT_EQ(Name.text(), "soap");
  EXPECT_EQ(Table.State(), TDataSetState::dsBrowse);
}

}  // namespace
}  // namespace controls::test
