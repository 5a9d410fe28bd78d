#include "tables/positions.h"

#include <algorithm>

namespace tables::detail {

void TKnownPositions::Check(const TChangeStamp& stamp) {
  if (FStamp == stamp) return;
  Forget();
  FStamp = stamp;
}

void TKnownPositions::Forget() {
  FStamp.reset();
  FSurveyed = false;
  FMarks.clear();
  FLast.reset();
}

void TKnownPositions::SetMarks(std::vector<TKnownPosition> marks) {
  FMarks = std::move(marks);
  FSurveyed = true;
}

const TKnownPosition* TKnownPositions::AtOrBefore(const TRowOrder& order, const TRowPosition& row) const {
  if (FLast && order.Compare(FLast->Row, row) == 0) return &*FLast;
  const auto after = std::ranges::upper_bound(FMarks, row, [&](const TRowPosition& a, const TRowPosition& b) {
    return order.Compare(a, b) < 0;
  }, &TKnownPosition::Row);
  return after == FMarks.begin() ? nullptr : &*std::prev(after);
}

void TKnownPositions::Moved(const TRowOrder& order, const TChangeStamp& before, const TChangeStamp& after,
                            const std::optional<TRowPosition>& removed, const std::optional<TRowPosition>& added) {
  if (FStamp != before) {
    Forget();
    return;
  }
  FStamp = after;
  if (removed) {
    std::erase_if(FMarks, [&](const TKnownPosition& mark) { return order.Compare(mark.Row, *removed) == 0; });
    if (FLast && order.Compare(FLast->Row, *removed) == 0) FLast.reset();
    Shift(order, *removed, -1);
  }
  if (added) Shift(order, *added, 1);
}

void TKnownPositions::Shift(const TRowOrder& order, const TRowPosition& from, int by) {
  const auto moves = [&](const TKnownPosition& known) { return order.Compare(known.Row, from) > 0; };
  for (auto& mark : FMarks) {
    if (moves(mark)) mark.Position += by;
  }
  if (FLast && moves(*FLast)) FLast->Position += by;
}

}  // namespace tables::detail
