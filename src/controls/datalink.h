// The link of one control to a cursor: a data source of the control's own on the
// cursor of the data source the window configured, so the window's own handlers
// on that source stay its own. While the event loop runs, the link looks a few times
// a second for rows changed outside the cursor (another counter's post) and lets the
// cursor tell its sources, so every view shows them within a second. Notifications reach the control's handlers guarded,
// so an error in a control never unwinds through the table engine.
#pragma once

#include <QTimer>
#include <functional>
#include <string>

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
  QTimer FOutsideChanges;
};

// The link of a control that shows one field of the current row. The field is looked
// up by name each time (the cursor may be closed and opened again); the control is
// told to show the field whenever the row, the field or the state changes, except
// while it writes the field itself.
class TFieldDataLink : public TDataLink {
 public:
  TFieldDataLink(std::string fieldName, std::function<void()> showField);

  const std::string& FieldName() const { return FFieldName; }
  // Null while the cursor is closed or has no such field.
  tables::TField* Field() const;
  // Runs write with the cursor put into edit state first and the control's own
  // refresh held back, however write ends.
  void Write(const std::function<void(tables::TField& field)>& write);

 private:
  std::string FFieldName;
  std::function<void()> FShowField;
  bool FWriting = false;
};

}  // namespace controls
