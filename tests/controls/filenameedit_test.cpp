// The file name box: its first word as a command line reads it, and what browsing writes.
#include "controls/filenameedit.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QVBoxLayout>

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
};

class Browse : public ::testing::TestWithParam<TBrowseCase> {};

TEST_P(Browse, WritesTheChosenName) {
  TFileNameEdit box({"picpath", "Pictures (*.jpg *.bmp)", "\"/old dir/x.jpg\" note"});
  int changes = 0;
  QObject::connect(&box, &TFileNameEdit::Changed, [&] { ++changes; });
  TChosen chosen(GetParam().Chosen);
  QTest::mouseClick(box.BrowseButton(), Qt::LeftButton);
  ASSERT_EQ(chosen.Offered.size(), 1u);
  EXPECT_EQ(chosen.Offered[0].first, "Pictures (*.jpg *.bmp)");
  EXPECT_EQ(chosen.Offered[0].second, "/old dir/x.jpg");
  EXPECT_EQ(box.text(), GetParam().Text);
  EXPECT_EQ(changes, GetParam().Changes);
}

INSTANTIATE_TEST_SUITE_P(
    Choices, Browse,
    ::testing::Values(TBrowseCase{"Plain", "/pics/a.jpg", "/pics/a.jpg", 1},
                      TBrowseCase{"WithABlank", "/my pics/a b.jpg", "\"/my pics/a b.jpg\"", 1},
                      TBrowseCase{"Cancelled", "", "\"/old dir/x.jpg\" note", 0}),
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
  other->setFocus();
  EXPECT_EQ(exits, 1);
  EXPECT_EQ(box->BrowseButton()->focusPolicy(), Qt::NoFocus);
}

}  // namespace
}  // namespace controls::test
