// Which standard paper a saved page was generated on, from the size of its picture:
// both lengths in whole 4 mm steps, compared with each standard paper upright and
// turned; a later paper of the table that matches wins over an earlier one (so a Letter
// page comes back as Note, whose size differs only by 0.4 mm).
#pragma once

#include <optional>

#include "reports/job.h"
#include "reports/papers.h"

namespace reports {

struct TRecognisedPaper {
  TRepPaperSize Size;
  TRepOrientation Orientation;
  friend bool operator==(const TRecognisedPaper&, const TRecognisedPaper&) = default;
};

// Nothing when no standard paper has that size (the paper is then left as it was).
std::optional<TRecognisedPaper> RecognisePaper(int widthPixels, int heightPixels, int dpi);

}  // namespace reports
