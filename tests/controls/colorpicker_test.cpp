// The colour picker: what a choice or a cancel does to its colour and signal.
#include "controls/colorpicker.h"

#include <gtest/gtest.h>

#include <QTest>

namespace controls::test {
namespace {

struct TChoiceCase {
  const char* Name;
  QColor Chosen;
  QColor Color;
  int Changes;
};

class ColorChoices : public ::testing::TestWithParam<TChoiceCase> {};

TEST_P(ColorChoices, AClickAsksAndKeepsTheChoice) {
  QColor offered;
  const auto previous = SetColorChooser([&](QWidget*, const QColor& current) {
    offered = current;
    return GetParam().Chosen;
  });
  TColorPicker picker({"fontColor", Qt::red});
  int changes = 0;
  QObject::connect(&picker, &TColorPicker::ColorChanged, [&] { ++changes; });
  QTest::mouseClick(&picker, Qt::LeftButton);
  SetColorChooser(previous);
  EXPECT_EQ(offered, QColor(Qt::red));
  EXPECT_EQ(picker.Color(), GetParam().Color);
  EXPECT_EQ(changes, GetParam().Changes);
  EXPECT_EQ(picker.icon().pixmap(16, 16).toImage().pixelColor(8, 8), GetParam().Color);
}

INSTANTIATE_TEST_SUITE_P(Choices, ColorChoices,
                         ::testing::Values(TChoiceCase{"Chosen", Qt::blue, Qt::blue, 1},
                                           TChoiceCase{"Cancelled", QColor(), Qt::red, 0},
                                           TChoiceCase{"Unchanged", Qt::red, Qt::red, 0}),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace controls::test
