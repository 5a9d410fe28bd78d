// The link of one control to a cursor: a data source of the control's own on the
// cursor of the data source the window configured, so the window's own handlers
// on that source stay its own. Notifications reach the control's handlers guarded,
// so an error in a control never unwinds through the table engine.
#pragma once

#include <functional>

#include "tables/tables.h"

namespace controls {

class TDataLink {
 public:
  TDataLink();
  TDataLink(const TDataLink&) = delete;
  TDataLink& operator=(const TDataLink&) = delete;

  // Follows the cursor that the source shows now; null unlinks.
  void SetDataSource(tables::TDataSource* source);
  tables::TTable* Table() const { return FLink.DataSet(); }
  // Linked to an open cursor.
  bool Active() const { return Table() && Table()->Active(); }
  tables::TDataSetState State() const { return FLink.State(); }
  bool Editing() const;

  // The field is null when the row moved or the whole row changed.
  std::function<void(tables::TField* field)> OnDataChange;
  std::function<void()> OnStateChange;

 private:
  tables::TDataSource FLink;
};

}  // namespace controls
