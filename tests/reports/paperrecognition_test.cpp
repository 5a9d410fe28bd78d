// Paper recognition from a page picture's size: pixels to 0.1 mm at the screen's
// resolution, both in whole 4 mm steps, against the standard papers upright and turned,
// the last match winning. Each row names the papers that share its steps.
#include <gtest/gtest.h>

#include "reports/paperrecognition.h"

namespace reports {
namespace {

struct TCase {
  const char* What;
  int Width, Height, Dpi;
  std::optional<TRecognisedPaper> Expected;
};

TEST(PaperRecognition, StandardPapersByTheirFourMillimetreSteps) {
  const TCase cases[] = {
      // 53 x 69 steps: Letter, LetterSmall and Note; Note comes last.
      {"Letter page", 816, 1056, 96, TRecognisedPaper{Note, poPortrait}},
      {"Letter page turned", 1056, 816, 96, TRecognisedPaper{Note, poLandscape}},
      {"Letter page at 120 dpi", 1020, 1320, 120, TRecognisedPaper{Note, poPortrait}},
      // 52 x 74 steps: A4 and A4Small.
      {"A4 page", 794, 1123, 96, TRecognisedPaper{A4Small, poPortrait}},
      // 37 x 52 steps: A5 only.
      {"A5 page", 560, 794, 96, TRecognisedPaper{A5, poPortrait}},
      // 53 x 88 steps: Legal only (Folio is 53 x 82, 10x14 is 63 x 88).
      {"Legal page", 816, 1344, 96, TRecognisedPaper{Legal, poPortrait}},
      // 107 x 69 steps: Tabloid turned, Ledger upright, 11x17 turned; 11x17 comes last.
      {"Ledger page", 1632, 1056, 96, TRecognisedPaper{p11X17, poLandscape}},
      // 25 x 25 steps: the three sheets, upright and turned alike; the last test wins.
      {"100 mm square", 378, 378, 96, TRecognisedPaper{ESheet, poLandscape}},
      // 24 x 56 steps: envelope 9 (98.43 x 225.4).
      {"Envelope 9", 372, 852, 96, TRecognisedPaper{Env9, poPortrait}},
      {"no standard size", 500, 500, 96, std::nullopt},
      {"no picture size", 0, 0, 96, std::nullopt},
      {"no resolution", 816, 1056, 0, std::nullopt},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.What);
    const std::optional<TRecognisedPaper> found = RecognisePaper(c.Width, c.Height, c.Dpi);
    ASSERT_EQ(found.has_value(), c.Expected.has_value());
    if (found) {
      EXPECT_EQ(PaperRow(found->Size).Name, std::string(PaperRow(c.Expected->Size).Name));
      EXPECT_EQ(found->Orientation, c.Expected->Orientation);
    }
  }
}

}  // namespace
}  // namespace reports
