// Where rows stand in a cursor's order, so that a row's position is counted from a
// nearby row whose position is known rather than from the first row: SQLite counts
// index entries one by one, so that count grows with the row's place. Marks a fixed
// number of rows apart are found once (skipping rows costs about what counting them
// does), kept while the file stays as it was, and moved along with this cursor's own
// writes.
#pragma once

#include <optional>
#include <vector>

#include "tables/connection.h"
#include "tables/roworder.h"

namespace tables::detail {

using TChangeStamp = TConnection::TChangeStamp;

struct TKnownPosition {
  TRowPosition Row;
  int Position = 0;
};

class TKnownPositions {
 public:
  // Rows between two marks.
  static constexpr int kSpacing = 512;

  // Forgets what does not describe the file in stamp's state.
  void Check(const TChangeStamp& stamp);
  void Forget();

  // True once the marks of the whole order are known.
  bool Surveyed() const { return FSurveyed; }
  void SetMarks(std::vector<TKnownPosition> marks);

  // The known row nearest to the row at or before it; null when none is.
  const TKnownPosition* AtOrBefore(const TRowOrder& order, const TRowPosition& row) const;
  // The last row asked for, kept until the file changes.
  void Remember(TKnownPosition row) { FLast = std::move(row); }

  // This cursor wrote one row in a write transaction: removed and added are the row's
  // place before and after (either may be missing), before and after the stamps around
  // the write. What is known moves with the rows; anything else is forgotten.
  void Moved(const TRowOrder& order, const TChangeStamp& before, const TChangeStamp& after,
             const std::optional<TRowPosition>& removed, const std::optional<TRowPosition>& added);

 private:
  void Shift(const TRowOrder& order, const TRowPosition& from, int by);

  std::optional<TChangeStamp> FStamp;
  bool FSurveyed = false;
  std::vector<TKnownPosition> FMarks;  // in the order
  std::optional<TKnownPosition> FLast;
};

}  // namespace tables::detail
