// The file name box: its first word as a command line reads it, and what browsing writes.
#include "controls/filenameedit.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QVBoxLayout>

#include "controls/fieldtext.h"
#include "messages.h"

namespace controls::test {
namespace {

struct TWordCase {
  const char* Text;
  const char* Word;
};

class FirstWords : public ::testing::TestWithParam<TWordCase> {};

TEST_P(FirstWords, ReadsAsACommandLine) { EXPECT_EQ(FirstWord(GetParam().Text), GetParam().Word); }

INSTANTIATE_TEST_SUITE_P(
    Texts, FirstWords,
    ::testing::Values(TWordCase{"", ""}, TWordCase{"   ", ""}, TWordCase{"/pics/a.jpg", "/pics/a.jpg"},
                      TWordCase{"  /pics/a.jpg  old", "/pics/a.jpg"},
                      TWordCase{"\t/pics/a.jpg\tb", "/pics/a.jpg"},
                      TWordCase{"\"/my pics/a.jpg\" rest", "/my pics/a.jpg"},
                      TWordCase{"/my\" pics\"/a.jpg x", "/my pics/a.jpg"},
                      TWordCase{"\"\" b", ""},
                      TWordCase{"\"/open ended", "/open ended"},
                      TWordCase{"filename", "filename"}));

// Chooses as told and remembers what the box offered.
class TChosen {
 public:
  explicit TChosen(QString name)
      : FPrevious(SetFileChooser([this, name](QWidget*, const QString& filter, const QString& current) {
          Offered.push_back({filter, current});
          return name;
        })) {}
  ~TChosen() { SetFileChooser(FPrevious); }
  std::vector<std::pair<QString, QString>> Offered;

 private:
  TFileChooser FPrevious;
};

struct TBrowseCase {
  const char* Name;
  QString Chosen;
  QString Text;
  int Changes;
  std::string Message;  // what the display shows; empty when nothing
};

class Browse : public ::testing::TestWithParam<TBrowseCase> {};

// The box holds 24 characters, as a short table field would.
TEST_P(Browse, WritesTheChosenNameOrSaysWhyNot) {
  TCapturedMessages messages;
  TFileNameEdit box({"picpath", "Pictures (*.jpg *.bmp)", "\"/old dir/x.jpg\" note"});
  box.Edit()->setMaxLength(24);
  int changes = 0;
  QObject::connect(&box, &TFileNameEdit::Changed, [&] { ++changes; });
  TChosen chosen(GetParam().Chosen);
  QTest::mouseClick(box.BrowseButton(), Qt::LeftButton);
  ASSERT_EQ(chosen.Offered.size(), 1u);
  EXPECT_EQ(chosen.Offered[0].first, "Pictures (*.jpg *.bmp)");
  EXPECT_EQ(chosen.Offered[0].second, "/old dir/x.jpg");
  EXPECT_EQ(box.text(), GetParam().Text);
  EXPECT_EQ(changes, GetParam().Changes);
  EXPECT_EQ(messages.Take(), GetParam().Message.empty() ? std::vector<std::string>{}
                                                        : std::vector<std::string>{GetParam().Message});
}

const QString kOld = "\"/old dir/x.jpg\" note";
INSTANTIATE_TEST_SUITE_P(
    Choices, Browse,
    ::testing::Values(TBrowseCase{"Plain", "/pics/a.jpg", "/pics/a.jpg", 1, ""},
                      TBrowseCase{"WithABlank", "/my pics/a b.jpg", "\"/my pics/a b.jpg\"", 1, ""},
                      TBrowseCase{"JustFitsWithItsQuotes", "/p q/abcdefghijklm.jpg", "\"/p q/abcdefghijklm.jpg\"", 1, ""},
                      TBrowseCase{"Cancelled", "", kOld, 0, ""},
                      TBrowseCase{"TooLongWithItsQuotes", "/p q/abcdefghijklmn.jpg", kOld, 0,
                                  "The file name \"/p q/abcdefghijklmn.jpg\" is longer than the 24 characters the box holds"},
                      TBrowseCase{"OutsideTheCodePage", QString::fromUtf8("/\xC5\x82\xC3\xB3" "d\xC5\xBA.jpg"), kOld, 0,
                                  "The file name /?\xF3" "d?.jpg holds the character U+0142, which the Windows-1252 code "
                                  "page lacks"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(FileNameEdit, SignalsLeavingAndNamesItsFirstWord) {
  QWidget window;
  auto* layout = new QVBoxLayout(&window);
  auto* box = new TFileNameEdit({"picpath", "", "filename"});
  auto* other = new QLineEdit;
  layout->addWidget(box);
  layout->addWidget(other);
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  EXPECT_EQ(box->objectName(), "picpath");
  EXPECT_EQ(box->text(), "filename");
  int exits = 0;
  QObject::connect(box, &TFileNameEdit::Exited, [&] { ++exits; });
  box->setFocus();
  box->setText("\"/a b/c.jpg\" d");
  EXPECT_EQ(box->FileName(), "/a b/c.jpg");
  box->setText(QString::fromUtf8("/caf\xC3\xA9.jpg \xE2\x82\xAC"));
  EXPECT_EQ(box->FileName(), "/caf\xE9.jpg");
  box->setText(QString::fromUtf8("/\xE2\x84\xA2\xE2\x84\x96.jpg"));
  std::string refusal;
  try {
    box->FileName();
  } catch (const EControlError& e) {
    refusal = e.what();
  }
  EXPECT_EQ(refusal, "The file name /\x99?.jpg holds the character U+2116, which the Windows-1252 code page lacks");
  other->setFocus();
  EXPECT_EQ(exits, 1);
  EXPECT_EQ(box->BrowseButton()->focusPolicy(), Qt::NoFocus);
}

}  // namespace
}  // namespace controls::test
