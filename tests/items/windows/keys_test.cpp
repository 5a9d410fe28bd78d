// Esc and Enter in the shop's windows, pressed where the focus is: Enter presses the
// default button; Esc presses Cancel where one is shown and does nothing where none is.
#include "items/shoptables.h"
#include "items/windows/frmparam.h"
#include "windowfixture.h"

namespace items::test {
namespace {

class WindowKeys : public TWindowTest {
 protected:
  void SetUp() override {
    CreateMissingTables(Dir.Path());
    LoadSettings(Dir.Path());
  }
  static void Press(QWidget& window, Qt::Key key) {
    Activate(window);
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    ASSERT_EQ(QApplication::focusWidget()->window(), &window);
    QTest::keyClick(QApplication::focusWidget(), key);
  }
};

TEST_F(WindowKeys, EscInTheParametersWindowKeepsWhatWasTypedForEnterToSave) {
  Tfrmparam* window = OpenParameters(nullptr);
  Activate(*window);
  window->mport->lineEdit()->selectAll();
  QTest::keyClicks(window->mport->lineEdit(), "COM2");
  Press(*window, Qt::Key_Escape);
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_EQ(frmparam, window);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->tblparam.State(), tables::TDataSetState::dsEdit);
  Press(*window, Qt::Key_Return);
  EXPECT_EQ(Query("param.DAT", "SELECT PRTPORT FROM param"), std::vector<std::string>{"COM2"});
  EXPECT_EQ(gPrtport, "COM2");
  EXPECT_TRUE(TakeMessages().empty());
}

}  // namespace
}  // namespace items::test
