// Esc and Enter in the shop's windows, pressed where the focus starts: Enter presses the
// default button; Esc presses Cancel where one is shown and does nothing where none is.
#include <functional>

#include "items/shoptables.h"
#include "items/windows/frminput.h"
#include "items/windows/frmparam.h"
#include "windowfixture.h"

namespace items::test {
namespace {

using tables::TDataSetState;

class WindowKeys : public TWindowTest {
 protected:
  void SetUp() override {
    tables::test::MakeBarmas(Dir.Path(), {{"4006381333931", "Milk", "1.25"}});
    CreateMissingTables(Dir.Path());
    LoadSettings(Dir.Path());
  }
  // The key goes to the widget that has the focus once the window is active.
  static void Press(QWidget& window, Qt::Key key) {
    Activate(window);
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    ASSERT_EQ(focus->window(), &window);
    QTest::keyClick(focus, key);
  }
  std::string StoredPort() { return Query("param.DAT", "SELECT PRTPORT FROM param").at(0); }
};

TEST_F(WindowKeys, EscInTheParametersWindowKeepsItOpenWithWhatWasTyped) {
  Tfrmparam* window = OpenParameters(nullptr);
  window->mport->setFocus();
  window->mport->lineEdit()->selectAll();
  QTest::keyClicks(window->mport->lineEdit(), "COM2");
  Press(*window, Qt::Key_Escape);
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_EQ(frmparam, window);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->mport->currentText(), "COM2");
  EXPECT_EQ(window->tblparam.State(), TDataSetState::dsEdit);
  // What was typed is still there to save, and Close still runs its handler.
  QTest::mouseClick(window->BitBtn1, Qt::LeftButton);
  EXPECT_EQ(StoredPort(), "COM2");
  QTest::mouseClick(window->BitBtn2, Qt::LeftButton);
  EXPECT_FALSE(window->tblparam.Active());
  EXPECT_TRUE(TakeMessages().empty());
}

struct TEnterCase {
  const char* Name;
  std::function<QWidget*()> Open;
  std::function<void()> Change;  // a change the table has not stored yet
  const char* Table;
  const char* Query;  // answers "saved" once Save has stored the change
};

class WindowEnter : public WindowKeys, public ::testing::WithParamInterface<TEnterCase> {};

TEST_P(WindowEnter, SavesFromWhereTheFocusStarts) {
  QWidget* window = GetParam().Open();
  Activate(*window);
  QWidget* start = QApplication::focusWidget();
  ASSERT_NE(start, nullptr);
  GetParam().Change();
  start->setFocus();
  Press(*window, Qt::Key_Return);
  EXPECT_EQ(Query(GetParam().Table, GetParam().Query),
            std::vector<std::string>{"saved"});
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(TakeMessages().empty());
}

void ChangeItemName() {
  frminput->tblbarmas.Edit();
  frminput->tblbarmas.FieldByName(barmas::FName).SetAsString("Milk 2L");
}

void ChoosePrinterType() {
  frmparam->DBComboBox1->setCurrentIndex(0);
  emit frmparam->DBComboBox1->activated(0);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, WindowEnter,
    ::testing::Values(TEnterCase{"Parameters", [] { return static_cast<QWidget*>(OpenParameters(nullptr)); },
                                 ChoosePrinterType, "param.DAT", "SELECT iif(PRTNAME = 'E', 'saved', PRTNAME) FROM param"},
                      TEnterCase{"ItemMaster", [] { return static_cast<QWidget*>(OpenItemMaster(nullptr)); },
                                 ChangeItemName, "Barmas.DAT", "SELECT iif(FName = 'Milk 2L', 'saved', FName) FROM Barmas"}),
    [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace items::test
