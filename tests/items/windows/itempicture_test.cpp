// The item window's picture box: as it stands on its panel, and what it shows as the
// operator moves from item to item and types a path: each item's own picture, or a message.
#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>

#include "items/shoptables.h"
#include "items/windows/frminput.h"
#include "items/windows/itempicture.h"
#include "windowfixture.h"

namespace items {
namespace {

TEST(ItemWindowPicture, HasTheItemWindowSettings) {
  QWidget panel;
  picture::TFEJpeg* box = CreateItemWindowPicture(&panel);
  EXPECT_EQ(box->parentWidget(), &panel);
  EXPECT_EQ(box->objectName(), "empimg");
  EXPECT_EQ(box->geometry(), QRect(1, 24, 159, 153));
  EXPECT_TRUE(box->Stretch());
  EXPECT_FALSE(box->Center());
  EXPECT_FALSE(box->AutoSize());
  EXPECT_FALSE(box->Transparent());
  EXPECT_FALSE(box->IncrementalDisplay());
  EXPECT_EQ(box->JPEGProperties().Options(), picture::TJPEGOptions{});
  EXPECT_EQ(box->Picture().Graphic(), nullptr);
}

class ItemPictures : public test::TWindowTest {
 protected:
  // Items in navigator order with their picture paths (UTF-8, as the table holds them).
  void SetUp() override {
    const std::vector<std::pair<std::string, std::string>> items = {
        {"1000000000001", "milk.bmp"}, {"1000000000002", "gone.jpg"}, {"1000000000003", "gone.jpg"},
        {"1000000000004", ""},         {"1000000000005", "caf\xC3\xA9.bmp"}};
    std::vector<tables::test::TItem> rows;
    for (const auto& item : items) rows.push_back({item.first, "Item", "1"});
    tables::test::MakeBarmas(Dir.Path(), rows);
    CreateMissingTables(Dir.Path());
    tables::test::TRawConnection table(Dir.File("Barmas.DAT"));
    for (const auto& [barcode, path] : items) {
      if (!path.empty()) table.Exec("UPDATE Barmas SET FPicPath = '" + Dir.File(path) + "' WHERE FBarcode = '" + barcode + "'");
    }
    SavePicture("milk.bmp", 8);
    SavePicture("caf\xC3\xA9.bmp", 5);
    Window = OpenItemMaster(nullptr);
    Activate(*Window);
  }
  void SavePicture(const std::string& name, int width) {
    QImage picture(width, 4, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(QString::fromStdString(Dir.File(name)), "BMP"));
  }
  // The width of the picture shown, 0 for none.
  int Shown() const { return Window->empimg->Picture().Width(); }
  void Next() { QTest::mouseClick(Window->DBNavigator1->Button(controls::TNavigateButton::nbNext), Qt::LeftButton); }

  Tfrminput* Window = nullptr;
};

TEST_F(ItemPictures, EachItemShowsItsOwnPictureOrAMessageSaysWhyNot) {
  struct TStep {
    const char* Barcode;
    int Width;        // of the picture shown
    size_t Messages;  // told on the way there
  };
  // An unreadable picture keeps the earlier one only while its message is told; an empty
  // path keeps it as it is.
  const TStep steps[] = {{"1000000000002", 8, 1}, {"1000000000003", 8, 1}, {"1000000000004", 8, 0},
                         {"1000000000005", 5, 0}};
  EXPECT_EQ(Shown(), 8);
  for (const TStep& step : steps) {
    Next();
    ASSERT_EQ(Window->mcode->text().toStdString(), step.Barcode);
    const std::vector<std::string> told = TakeMessages();
    EXPECT_EQ(told.size(), step.Messages) << step.Barcode;
    for (const std::string& text : told) EXPECT_EQ(text, "Cannot open file " + Dir.File("gone.jpg"));
    EXPECT_EQ(Shown(), step.Width) << step.Barcode;
  }
}

// On the way to milk.bmpx the box has shown milk.bmp: the last key leaves no picture behind.
TEST_F(ItemPictures, APathBeingTypedThatNamesNoPictureShowsNone) {
  QLineEdit* path = Window->picpath->Edit();
  path->setFocus();
  path->selectAll();
  QTest::keyClicks(path, QString::fromStdString(Dir.File("milk.bmp")));
  EXPECT_EQ(Shown(), 8);
  QTest::keyClick(path, Qt::Key_X);
  EXPECT_TRUE(Messages.empty());
  EXPECT_EQ(Shown(), 0);
  QTest::keyClick(path, Qt::Key_Tab);
  EXPECT_EQ(TakeMessages(), std::vector<std::string>{"Unknown picture file extension (.bmpx)"});
  EXPECT_EQ(Shown(), 0);
}

}  // namespace
}  // namespace items
