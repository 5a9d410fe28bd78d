// The normal-printer window on the offscreen platform: how it is built from the item
// master, each settings control driving the on-screen symbol, the exports, and the
// report page that Print hands the design to.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "barcode/control/rendered.h"
#include "items/globvar.h"
#include "items/windows/windowfixture.h"
#include "normalprint/frminput1.h"
#include "normalprint/frmprtbar.h"

namespace {

namespace fs = std::filesystem;

class NormalPrinterWindow : public items::test::TWindowTest {
 protected:
  Tfrminput1& Open() {
    Window = OpenNormalPrinter(nullptr);
    return *Window;
  }
  // Replaces the box's text as an operator typing it would.
  static void TypeInto(QComboBox& box, const QString& text) {
    box.setFocus();
    box.lineEdit()->selectAll();
    QTest::keyClicks(box.lineEdit(), text);
  }
  // A click on an item's round button, where the operator aims.
  static void ClickItem(controls::TRadioGroup& group, int item) {
    QRadioButton* button = group.Item(item);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
  }
  // Runs the save dialog with this name typed, or cancelled when the name is empty; with
  // a filter, that one is chosen in the dialog's type box first.
  void AnswerSaveDialog(const QString& name, const QString& filter = {}) {
    QTimer::singleShot(0, Window->SaveDialog1, [dialog = Window->SaveDialog1, name, filter] {
      if (name.isEmpty()) {
        dialog->reject();
        return;
      }
      if (!filter.isEmpty()) {
        auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
        ASSERT_NE(types, nullptr);
        const int index = types->findText(filter);
        ASSERT_GE(index, 0) << filter.toStdString();
        types->setCurrentIndex(index);
        emit types->activated(index);  // as a click on the item does
        emit types->textActivated(filter);
      }
      // Typed into the dialog's name box, then its Save button.
      auto* box = dialog->findChild<QLineEdit*>("fileNameEdit");
      ASSERT_NE(box, nullptr);
      box->setText(name);
      QMetaObject::invokeMethod(dialog, "accept");
    });
  }

  Tfrminput1* Window = nullptr;
};

TEST_F(NormalPrinterWindow, IsTheItemMasterWithItsItemPartsHidden) {
  Tfrminput1& window = Open();
  EXPECT_EQ(window.windowTitle(), "Normal Printer  Input");
  EXPECT_EQ(window.size(), QSize(606, 428));
  for (QWidget* hidden : std::initializer_list<QWidget*>{window.Panel1, window.Panel2, window.Panel3,
                                                         window.DBNavigator1, window.DBGrid1, window.BitBtn1,
                                                         window.BitBtn2, window.LabelPreview}) {
    EXPECT_FALSE(hidden->isVisible()) << hidden->objectName().toStdString();
  }
  // Five buttons left to right, 75 by 46 each.
  std::vector<std::pair<QString, QString>> buttons;
  int lastLeft = -1;
  for (QPushButton* button : {window.BitBtn3, window.BitBtn6, window.BitBtn5, window.Lclipboard, window.BitBtn4}) {
    EXPECT_TRUE(button->isVisible());
    EXPECT_EQ(button->size(), QSize(75, 46));
    EXPECT_GT(button->x(), lastLeft);
    lastLeft = button->x();
    buttons.emplace_back(button->objectName(), button->text());
  }
  EXPECT_EQ(buttons, (std::vector<std::pair<QString, QString>>{{"BitBtn3", "&Print"},
                                                               {"BitBtn6", "&Preview"},
                                                               {"BitBtn5", "&Bmpfile"},
                                                               {"Lclipboard", "&Clipboard"},
                                                               {"BitBtn4", "Close"}}));
  EXPECT_FALSE(fs::exists(Dir.File("Barmas.DAT")));  // no table is ever opened
  // None of the item window's batch commands: no context menu, one row at a time.
  EXPECT_TRUE(window.DBGrid1->actions().isEmpty());
  EXPECT_EQ(window.DBGrid1->selectionMode(), QAbstractItemView::SingleSelection);
  EXPECT_TRUE(Messages.empty());
  Activate(window);
  EXPECT_EQ(QApplication::focusWidget(), window.Edit1);  // the window opens on the code text
}

TEST_F(NormalPrinterWindow, SettingsControlsStartAsDesignedAndNeedNotMatchTheSymbol) {
  Tfrminput1& window = Open();
  EXPECT_EQ(window.Edit1->maxLength(), 13);
  EXPECT_EQ(window.Edit1->text(), "");
  EXPECT_EQ(window.Edit2->width(), 49);
  std::vector<QString> symbologies;
  for (int i = 0; i < window.barsele->count(); ++i) symbologies.push_back(window.barsele->itemText(i));
  EXPECT_EQ(symbologies, (std::vector<QString>{"EAN-8", "EAN-13", "UPC-A", "UPC-E", "Code 39", "Code 2/5 interleaved",
                                               "Code 2/5i (Frachtpost)", "Code 128 A", "Code 128 B", "Code 128 C"}));
  EXPECT_EQ(window.barsele->currentText(), "EAN-13");
  ASSERT_EQ(window.msize->count(), 10);
  EXPECT_EQ(window.msize->itemText(9), "SC9");
  EXPECT_EQ(window.msize->currentText(), "SC0");
  EXPECT_EQ(window.SE_HeightPerCent->minimum(), 20);
  EXPECT_EQ(window.SE_HeightPerCent->maximum(), 200);
  EXPECT_EQ(window.SE_HeightPerCent->singleStep(), 5);
  EXPECT_EQ(window.SE_HeightPerCent->value(), 100);
  EXPECT_EQ(window.SE_HeightPerCent->size(), QSize(166, 47));
  EXPECT_TRUE(window.SE_HeightPerCent->font().bold());
  EXPECT_EQ(window.SE_HeightPerCent->font().pixelSize(), 32);
  EXPECT_EQ(window.RGRotation->ItemIndex(), 0);
  EXPECT_EQ(window.RGRotation->Item(1)->text(), QString::fromUtf8("90°"));
  EXPECT_EQ(window.RGRotation->Item(3)->text(), QString::fromUtf8("270°"));
  for (QWidget* field : std::initializer_list<QWidget*>{window.Edit1, window.Edit2, window.barsele, window.msize,
                                                        window.SE_HeightPerCent}) {
    EXPECT_EQ(field->palette().color(QPalette::Base), QColor(0, 255, 255)) << field->objectName().toStdString();
  }

  const TBarcode& symbol = *window.Barcode1;
  EXPECT_EQ(symbol.size(), QSize(139, 90));
  EXPECT_EQ(symbol.Bar_Caption(), "00000000000");
  EXPECT_EQ(symbol.Bar_CodeType(), TBarcode::EAN_13);
  EXPECT_EQ(symbol.Bar_HeightPercent(), 80);
  EXPECT_EQ(symbol.Bar_ModuleWidth(), TBarcode::SC2);
  EXPECT_EQ(symbol.Bar_Fontname(), "Arial");
  EXPECT_EQ(symbol.Bar_Fontscaling(), 125);
  EXPECT_TRUE(symbol.Bar_ZoomSize());
  EXPECT_TRUE(window.Barcode1->isVisible());
}

TEST_F(NormalPrinterWindow, TheCodeTextRedrawsAtEachKeystrokeAndStopsAtThirteen) {
  Tfrminput1& window = Open();
  window.Edit1->setFocus();
  const QString digits = "59012341234578";
  for (int typed = 1; typed <= 13; ++typed) {
    QTest::keyClick(window.Edit1, digits[typed - 1].toLatin1());
    EXPECT_EQ(window.Barcode1->Bar_Caption(), digits.left(typed));
  }
  QTest::keyClick(window.Edit1, digits[13].toLatin1());
  EXPECT_EQ(window.Edit1->text(), "5901234123457");
  EXPECT_TRUE(Messages.empty());
}

TEST_F(NormalPrinterWindow, EachSymbologyChoiceSetsItsOrdinalAndFreeTextKeepsTheLastOne) {
  Tfrminput1& window = Open();
  struct TChoice {
    const char* Text;
    TBarcode::btCodeTypes Expected;
  };
  for (const TChoice& choice : {TChoice{"Code 128 C", TBarcode::CODE128_C}, TChoice{"EAN-8", TBarcode::EAN_8},
                                TChoice{"UPC-E", TBarcode::UPC_E}, TChoice{"Code 2/5i (Frachtpost)", TBarcode::CODE25iP},
                                TChoice{"UPC-A", TBarcode::UPC_A}, TChoice{"no such code", TBarcode::UPC_A},
                                TChoice{"", TBarcode::UPC_A}}) {
    TypeInto(*window.barsele, choice.Text);
    EXPECT_EQ(window.Barcode1->Bar_CodeType(), choice.Expected) << choice.Text;
  }
  // The code text applies the list's symbology again at each keystroke.
  window.Barcode1->SetBar_CodeType(TBarcode::CODE39);
  window.Edit1->setFocus();
  QTest::keyClick(window.Edit1, '1');
  EXPECT_EQ(window.Barcode1->Bar_CodeType(), TBarcode::UPC_A);
  EXPECT_TRUE(Messages.empty());
}

TEST_F(NormalPrinterWindow, AModuleWidthThatNamesNoItemIsRefusedByTheSymbol) {
  Tfrminput1& window = Open();
  TypeInto(*window.msize, "SC5");
  EXPECT_EQ(window.Barcode1->Bar_ModuleWidth(), TBarcode::SC5);
  // "S" and "SC" on the way to "SC7" name no width: each is told, and the width stays.
  TakeMessages();
  TypeInto(*window.msize, "SC7");
  EXPECT_EQ(TakeMessages(), (std::vector<std::string>(2, "Bar_SC_Size must be in the range 0..9!")));
  EXPECT_EQ(window.Barcode1->Bar_ModuleWidth(), TBarcode::SC7);
  TypeInto(*window.msize, "SC12");
  EXPECT_EQ(window.Barcode1->Bar_ModuleWidth(), TBarcode::SC1);  // "SC1" was typed on the way
  EXPECT_EQ(TakeMessages().back(), "Bar_SC_Size must be in the range 0..9!");
}

TEST_F(NormalPrinterWindow, HeightStepsByFiveFromTheSpinValueAndRotationFollowsTheGroup) {
  Tfrminput1& window = Open();
  window.SE_HeightPerCent->setFocus();
  QTest::keyClick(window.SE_HeightPerCent, Qt::Key_Down);
  EXPECT_EQ(window.Barcode1->Bar_HeightPercent(), 95);  // from the spin's 100, not the symbol's 80
  QTest::keyClicks(window.SE_HeightPerCent, "7");       // typing does nothing
  EXPECT_EQ(window.SE_HeightPerCent->value(), 95);
  for (int i = 0; i < 40; ++i) QTest::keyClick(window.SE_HeightPerCent, Qt::Key_Up);
  EXPECT_EQ(window.Barcode1->Bar_HeightPercent(), 200);
  for (int i = 0; i < 40; ++i) QTest::keyClick(window.SE_HeightPerCent, Qt::Key_Down);
  EXPECT_EQ(window.Barcode1->Bar_HeightPercent(), 20);

  const TBarcode::btCodeRotate rotations[] = {TBarcode::rotate_000, TBarcode::rotate_090, TBarcode::rotate_180,
                                              TBarcode::rotate_270};
  for (int item : {2, 1, 3, 0}) {
    ClickItem(*window.RGRotation, item);
    EXPECT_EQ(window.Barcode1->Bar_Rotation(), rotations[item]);
  }
  EXPECT_EQ(window.Barcode1->Bar_Caption(), "00000000000");  // each property changes only by its own control
}

TEST_F(NormalPrinterWindow, TheBitmapFileHoldsTheSymbolAndTheDialogKeepsTheLastName) {
  Tfrminput1& window = Open();
  QTest::keyClicks(window.Edit1, "5901234123457");
  AnswerSaveDialog("");
  QTest::mouseClick(window.BitBtn5, Qt::LeftButton);
  EXPECT_TRUE(fs::is_empty(Dir.Folder()));
  EXPECT_TRUE(Messages.empty());
  EXPECT_EQ(window.SaveDialog1->defaultSuffix(), "BMP");
  EXPECT_EQ(window.SaveDialog1->nameFilters(),
            QStringList({"BMP file (*.BMP)", "PNG file (*.PNG)", "SVG file (*.SVG)"}));

  const QString file = QString::fromStdString(Dir.File("label"));
  AnswerSaveDialog(file);
  QTest::mouseClick(window.BitBtn5, Qt::LeftButton);
  const QImage saved(file + ".BMP", "BMP");
  ASSERT_FALSE(saved.isNull());
  EXPECT_EQ(barcode::Decoded(saved, ZXing::BarcodeFormat::EAN13), "5901234123457");
  EXPECT_EQ(window.SaveDialog1->selectedFiles().value(0), file + ".BMP");
}

// The chosen filter decides the format and the extension a bare name gets; the bitmap
// filter writes a bitmap whatever the name, as it always has.
TEST_F(NormalPrinterWindow, TheChosenFilterDecidesTheFormat) {
  struct TCase {
    const char* Filter;
    const char* Typed;
    const char* Written;
    const char* Magic;
  };
  const TCase cases[] = {{"PNG file (*.PNG)", "a", "a.PNG", "\x89PNG"},
                         {"SVG file (*.SVG)", "b", "b.SVG", "<?xml"},
                         {"BMP file (*.BMP)", "c.png", "c.png", "BM"},
                         {"SVG file (*.SVG)", "d.bmp", "d.bmp", "<?xml"}};
  Tfrminput1& window = Open();
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Typed);
    AnswerSaveDialog(QString::fromStdString(Dir.File(c.Typed)), c.Filter);
    QTest::mouseClick(window.BitBtn5, Qt::LeftButton);
    QFile written(QString::fromStdString(Dir.File(c.Written)));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.readAll().startsWith(c.Magic));
  }
  EXPECT_TRUE(Messages.empty());
}

TEST_F(NormalPrinterWindow, TheClipboardGetsTheSymbolAndTheOperatorIsTold) {
  Tfrminput1& window = Open();
  QTest::keyClicks(window.Edit1, "5901234123457");
  QTest::mouseClick(window.Lclipboard, Qt::LeftButton);
  EXPECT_EQ(TakeMessages(), std::vector<std::string>{"Barcode graphic is now in the clipboard"});
  const QImage copied = QGuiApplication::clipboard()->image();
  EXPECT_EQ(barcode::Decoded(copied, ZXing::BarcodeFormat::EAN13), "5901234123457");
  QTest::mouseClick(window.Lclipboard, Qt::LeftButton);
  EXPECT_EQ(TakeMessages().size(), 1u);  // after every copy
}

TEST_F(NormalPrinterWindow, PrintHandsTheTypedTextAndTheSymbolsSettingsToANewPage) {
  Tfrminput1& window = Open();
  // Nothing typed yet: the page gets the empty text, not the symbol's eleven zeros.
  QTest::mouseClick(window.BitBtn3, Qt::LeftButton);
  ASSERT_NE(frmprtbar, nullptr);
  Tfrmprtbar* first = frmprtbar;
  EXPECT_EQ(first->parent(), &window);
  EXPECT_EQ(first->RepBarcode2.Bar_Caption(), "");
  EXPECT_EQ(first->RepBarcode2.Bar_HeightPercent(), 80);

  TypeInto(*window.barsele, "Code 128 B");
  TypeInto(*window.msize, "SC6");
  ClickItem(*window.RGRotation, 3);
  window.Edit1->setText("ABC-123");
  window.Edit2->setText("12");
  QTest::mouseClick(window.BitBtn3, Qt::LeftButton);
  ASSERT_NE(frmprtbar, first);  // a new page for each press
  const TRepBarcode& element = frmprtbar->RepBarcode2;
  EXPECT_EQ(element.Bar_Caption(), "ABC-123");
  EXPECT_EQ(element.Bar_CodeType(), TBarcode::CODE128_B);
  EXPECT_EQ(element.Bar_Rotation(), TBarcode::rotate_270);
  EXPECT_EQ(element.Bar_ModuleWidth(), TBarcode::SC2);  // the module width is not handed on
  TakeMessages();
}

TEST_F(NormalPrinterWindow, TheAddOnGoesToTheSymbolAsItsDigits) {
  Tfrminput1& window = Open();
  struct TCase {
    const char* Typed;
    const char* Shown;
  };
  for (const TCase& c : {TCase{"12", "12"}, TCase{"12345", "12345"}, TCase{"", ""}}) {
    window.Edit2->setText(c.Typed);
    EXPECT_EQ(window.Barcode1->Bar_CodeAddon(), c.Shown) << c.Typed;
  }
}

TEST_F(NormalPrinterWindow, PreviewShowsANewPageAndReturnsWhenItsWindowCloses) {
  Tfrminput1& window = Open();
  window.Edit1->setText("5901234123457");
  QString caption;
  QTimer::singleShot(200, [&caption] {
    for (QWidget* top : QApplication::topLevelWidgets()) {
      if (top->isVisible() && top->objectName() == "StandardPreview") {
        caption = top->windowTitle();
        top->close();
      }
    }
  });
  QTest::mouseClick(window.BitBtn6, Qt::LeftButton);  // returns once the preview is closed
  EXPECT_EQ(caption, "Print Preview");
  ASSERT_NE(frmprtbar, nullptr);
  EXPECT_EQ(frmprtbar->parent(), &window);
  EXPECT_EQ(frmprtbar->RepBarcode2.Bar_Caption(), "5901234123457");
  EXPECT_TRUE(Messages.empty());
}

TEST_F(NormalPrinterWindow, OpensOnceHasNoEnterOrEscButtonAndClearsItsPointer) {
  Tfrminput1& window = Open();
  EXPECT_EQ(OpenNormalPrinter(nullptr), &window);
  window.Edit1->setFocus();
  QTest::keyClick(window.Edit1, Qt::Key_Escape);
  QTest::keyClick(window.Edit1, Qt::Key_Return);
  EXPECT_TRUE(window.isVisible());
  EXPECT_TRUE(Messages.empty());
  QPointer<Tfrminput1> watched(&window);
  QTest::mouseClick(window.BitBtn4, Qt::LeftButton);
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(watched.isNull());
  EXPECT_EQ(frminput1, nullptr);
  EXPECT_EQ(items::frminput, nullptr);
}

}  // namespace
