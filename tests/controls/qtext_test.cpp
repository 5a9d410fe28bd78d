// The code-page edge: program bytes to Qt text and back, and which typed text may be stored.
#include "controls/qtext.h"

#include <gtest/gtest.h>

namespace controls::test {
namespace {

TEST(QText, ProgramBytesAreWindows1252NotTheLocale) {
  // 0x80 is the euro sign and 0xE9 e-acute in Windows-1252, whatever the locale says.
  EXPECT_EQ(ToQString("\x80 caf\xE9"), QString::fromUtf16(u"\u20AC caf\u00E9"));
  EXPECT_EQ(FromQString(QString::fromUtf16(u"\u20AC caf\u00E9")), "\x80 caf\xE9");
}

struct TStorableCase {
  const char16_t* Text;
  bool Storable;
};

class Storable : public ::testing::TestWithParam<TStorableCase> {};

TEST_P(Storable, KnowsWhatWindows1252Holds) {
  EXPECT_EQ(IsStorableText(QString::fromUtf16(GetParam().Text)), GetParam().Storable);
}

INSTANTIATE_TEST_SUITE_P(Texts, Storable,
                         ::testing::Values(TStorableCase{u"", true}, TStorableCase{u"Soap 250g", true},
                                           TStorableCase{u"\u00E9t\u00E9 \u20AC \u201Cq\u201D", true},
                                           TStorableCase{u"a\tb", false}, TStorableCase{u"a\nb", false},
                                           TStorableCase{u"\u007F", false},
                                           // An unassigned byte of the code page reads as a C1 control.
                                           TStorableCase{u"\u0081", false}, TStorableCase{u"\u03A9", false},
                                           TStorableCase{u"\U0001F600", false}));

}  // namespace
}  // namespace controls::test
