// The default error display: what an exception leaving a handler shows, and that
// the control it came from goes on working.
#include "controls/guarded.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <stdexcept>

#include "messages.h"
#include "tables/tables.h"

namespace controls::test {
namespace {

using Texts = std::vector<std::string>;

struct TThrowCase {
  const char* Name;
  std::function<void()> Handler;
  Texts Shown;
};

class GuardedThrows : public ::testing::TestWithParam<TThrowCase> {};

TEST_P(GuardedThrows, ShowsTheMessageAndReturnsFalse) {
  TCapturedMessages messages;
  EXPECT_FALSE(Guarded(GetParam().Handler));
  EXPECT_EQ(messages.Take(), GetParam().Shown);
}

INSTANTIATE_TEST_SUITE_P(
    Errors, GuardedThrows,
    ::testing::Values(
        TThrowCase{"TableError", [] { throw tables::ETableError("Table Barmas.DAT is not open"); },
                   {"Table Barmas.DAT is not open"}},
        TThrowCase{"StandardError", [] { throw std::out_of_range("index 7 out of range"); }, {"index 7 out of range"}},
        // A message in the program's code page reaches the display as the same bytes.
        TThrowCase{"AnsiBytes", [] { throw std::runtime_error("Caf\xE9 \x80"); }, {"Caf\xE9 \x80"}},
        TThrowCase{"NotAnException", [] { throw 42; }, {kUnknownErrorText}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(Guarded, AHandlerThatRunsThroughShowsNothing) {
  TCapturedMessages messages;
  int runs = 0;
  EXPECT_TRUE(Guarded([&] { ++runs; }));
  EXPECT_EQ(runs, 1);
  EXPECT_TRUE(messages.Texts.empty());
}

TEST(ConnectGuarded, AThrowingClickHandlerIsShownAndTheButtonStaysUsable) {
  TCapturedMessages messages;
  QPushButton button("Save");
  int clicks = 0;
  ConnectGuarded(&button, &QPushButton::clicked, &button, [&](bool) {
    if (++clicks == 1) throw tables::ETableError("Cannot post to table Barmas.DAT: the row was deleted by another user");
  });
  button.show();
  QTest::mouseClick(&button, Qt::LeftButton);
  EXPECT_EQ(messages.Take(), Texts{"Cannot post to table Barmas.DAT: the row was deleted by another user"});
  QTest::mouseClick(&button, Qt::LeftButton);
  EXPECT_EQ(clicks, 2);
  EXPECT_TRUE(messages.Texts.empty());
  EXPECT_TRUE(button.isEnabled());
}

}  // namespace
}  // namespace controls::test
