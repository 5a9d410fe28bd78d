// The label preview from the item window: the label Print would send for the current
// row, from its button and from the grid's menu; the quantity, the job's text, zoom,
// PNG at one pixel a dot, and the jobs it refuses to show.
#include "items/windows/frmlabelview.h"

#include <QAction>

#include "items/labeljob.h"
#include "items/shoptables.h"
#include "items/windows/frminput.h"
#include "windowfixture.h"

namespace items::test {
namespace {

class LabelPreviewWindow : public TWindowTest {
 protected:
  void SetUp() override {
    tables::test::MakeBarmas(Dir.Path(), {{"4006381333931", "Milk", "1.25"}, {"5012345678900", "Rice", "2.5"}});
    CreateMissingTables(Dir.Path());
    tables::test::TRawConnection(Dir.File("Barmas.DAT")).Exec("UPDATE Barmas SET FBarQty = 3");
    gPrtname = "Z";
  }
  Tfrminput& OpenItems() {
    Items = OpenItemMaster(nullptr);
    Activate(*Items);
    return *Items;
  }
  static Tfrmlabelview* Shown() {
    Tfrmlabelview* found = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets())
      if (auto* view = qobject_cast<Tfrmlabelview*>(window); view && view->isVisible()) found = view;
    return found;
  }
  TLabelPreviewJob MilkJob() {
    return {gPrtname, LabelJobLines(gPrtname, {"4006381333931", "Milk", "3", "1.25", ""}, '.', gLabelCalibration),
            ResolveCalibration(gLabelCalibration, gPrtname).Dpi, "4006381333931"};
  }

  Tfrminput* Items = nullptr;
};

TEST_F(LabelPreviewWindow, ShowsTheLabelPrintWouldSendWithItsQuantityAndText) {
  for (const char* type : {"Z", "E"}) {
    SCOPED_TRACE(type);
    gPrtname = type;
    gLabelCalibration.Dpi = "300";
    Tfrminput& items = OpenItems();
    QTest::mouseClick(items.LabelPreview, Qt::LeftButton);
    Tfrmlabelview* view = Shown();
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(TakeMessages().empty());
    EXPECT_EQ(view->objectName(), "frmlabelview");
    EXPECT_EQ(view->windowTitle(), "Label Preview");
    EXPECT_EQ(view->Quantity->text(), "3 labels");
    const TLabelPreviewJob job = MilkJob();
    QString text;
    for (const std::string& line : job.Lines) text += QString::fromStdString(line) + "\n";
    EXPECT_EQ(view->JobText->toPlainText(), text);
    EXPECT_TRUE(view->JobText->isReadOnly());
    EXPECT_EQ(view->LabelImage(), DrawLabelPreview(job));
    EXPECT_EQ(view->LabelImage().dotsPerMeterX(), 11811);  // 300 dpi
    view->close();
    items.close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

TEST_F(LabelPreviewWindow, ZoomsOneToOneAndToFitAndSavesOnePixelADot) {
  Tfrminput& items = OpenItems();
  QAction* command = items.DBGrid1->findChild<QAction*>("LabelPreviewCommand");
  ASSERT_NE(command, nullptr);
  EXPECT_EQ(command->text(), "Label preview");
  EXPECT_EQ(items.DBGrid1->contextMenuPolicy(), Qt::ActionsContextMenu);
  command->trigger();
  Tfrmlabelview* view = Shown();
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(view->Fitted());
  const QSize room = view->PictureArea->viewport()->size();
  EXPECT_TRUE(view->Picture->pixmap().width() <= room.width() && view->Picture->pixmap().height() <= room.height());
  EXPECT_TRUE(view->Picture->pixmap().width() >= room.width() - 4 || view->Picture->pixmap().height() >= room.height() - 4);
  QTest::mouseClick(view->ActualSize, Qt::LeftButton);
  EXPECT_EQ(view->Picture->pixmap().size(), view->LabelImage().size());
  QTest::mouseClick(view->Fit, Qt::LeftButton);
  EXPECT_TRUE(view->Fitted());
  EXPECT_NE(view->Picture->pixmap().size(), view->LabelImage().size());

  view->SaveAsPng(Dir.File("milk.png"));
  QImage saved(QString::fromStdString(Dir.File("milk.png")));
  EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), view->LabelImage());
  EXPECT_EQ(saved.size(), QSize(406, 305 + 24));
  EXPECT_THROW(view->SaveAsPng(Dir.File("no/such/folder/milk.png")), std::exception);
}

TEST_F(LabelPreviewWindow, AJobItCannotShowIsToldAndNoWindowOpens) {
  struct Case {
    std::string type;
    std::string darkness;
    std::string message;
  };
  for (const Case& c : std::vector<Case>{
           {"X", "", "Label preview cannot show a job for the printer type \"X\""},
           {"E", "16", "Darkness must be a whole number from 0 to 15, not \"16\""},
       }) {
    gPrtname = c.type;
    gLabelCalibration.Darkness = c.darkness;
    Tfrminput& items = OpenItems();
    QTest::mouseClick(items.LabelPreview, Qt::LeftButton);
    EXPECT_EQ(Shown(), nullptr);
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{c.message});
    items.close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

TEST_F(LabelPreviewWindow, TheButtonStandsWhereTheLayoutHasRoom) {
  Tfrminput& items = OpenItems();
  const QRect button = items.LabelPreview->geometry();
  EXPECT_TRUE(items.rect().contains(button));
  const std::vector<QWidget*> others{items.Panel1,  items.Panel2,  items.DBGrid1, items.BitBtn1,
                                     items.BitBtn2, items.BitBtn3, items.BitBtn4};
  for (QWidget* other : others)
    EXPECT_FALSE(button.intersects(other->geometry())) << other->objectName().toStdString();
  EXPECT_EQ(items.LabelPreview->text(), "Label preview");
}

}  // namespace
}  // namespace items::test
