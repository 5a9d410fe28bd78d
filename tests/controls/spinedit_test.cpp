// The spin edit: stepped within its range by the arrows, never typed into.
#include "controls/spinedit.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

namespace controls::test {
namespace {

struct TStepCase {
  const char* Name;
  int Start;
  Qt::Key Key;
  int Presses;
  int Value;
};

class SpinSteps : public ::testing::TestWithParam<TStepCase> {};

TEST_P(SpinSteps, ArrowsStepWithinTheRange) {
  TSpinEdit spin({"SE_HeightPerCent", 20, 200, 5, GetParam().Start});
  for (int i = 0; i < GetParam().Presses; ++i) QTest::keyClick(&spin, GetParam().Key);
  EXPECT_EQ(spin.value(), GetParam().Value);
}

INSTANTIATE_TEST_SUITE_P(Keys, SpinSteps,
                         ::testing::Values(TStepCase{"DownFromTheStart", 100, Qt::Key_Down, 1, 95},
                                           TStepCase{"Up", 100, Qt::Key_Up, 3, 115},
                                           TStepCase{"StopsAtTheMinimum", 30, Qt::Key_Down, 5, 20},
                                           TStepCase{"StopsAtTheMaximum", 190, Qt::Key_Up, 5, 200}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(SpinEdit, TheTextCannotBeTyped) {
  TSpinEdit spin({"SE_HeightPerCent", 20, 200, 5, 100});
  EXPECT_EQ(spin.objectName(), "SE_HeightPerCent");
  int changes = 0;
  QObject::connect(&spin, &QSpinBox::valueChanged, [&] { ++changes; });
  QTest::keyClick(&spin, Qt::Key_Backspace);
  QTest::keyClicks(&spin, "150");
  EXPECT_EQ(spin.value(), 100);
  EXPECT_EQ(spin.text(), "100");
  EXPECT_EQ(changes, 0);
  EXPECT_FALSE(spin.isReadOnly());  // the arrows still work
}

}  // namespace
}  // namespace controls::test
