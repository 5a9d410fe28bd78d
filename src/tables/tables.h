// Table engine: tables kept as SQLite database files in a directory, read and
// written through cursors with the states, navigation, find-key and
// data-change notification that data-aware windows expect.
//
// One table is one file "<name>.DAT" in the database directory, holding one SQLite
// table of the same name (without extension). A cursor never loads the whole
// table: it holds one row buffer and asks SQLite for its neighbours, so several
// cursors and several processes on one directory see each other's posted rows.
// Strings are the program's Windows-1252 text in the cursor and UTF-8 in the file.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

namespace tables {

namespace detail {
struct TLockPolicy;
}

// Every failure of the engine: missing or damaged file, refused lock, unknown
// field, over-long string, operation in the wrong state.
class ETableError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A lock that another user still held after every retry.
class ETableLocked : public ETableError {
 public:
  using ETableError::ETableError;
};

enum class TDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert, dsSetKey };

// Edit, insert or set-key: the cursor holds a change not yet posted.
inline bool IsEditingState(TDataSetState state) {
  return state == TDataSetState::dsEdit || state == TDataSetState::dsInsert || state == TDataSetState::dsSetKey;
}
enum class TFieldType { ftString, ftFloat };

// A field value: no value, a string or a number.
using TVariant = std::variant<std::monostate, std::string, double>;

struct TFieldDef {
  std::string Name;
  TFieldType DataType = TFieldType::ftString;
  int Size = 0;  // characters for strings, 0 for floats
};

// Creates "<directory>/<name>.DAT" holding a table with these fields, an index
// on each field named in indexFields and the given rows (values in field order).
// Refuses to overwrite a file. The file appears complete or not at all.
void CreateTable(const std::string& directory, const std::string& name,
                 const std::vector<TFieldDef>& fields,
                 const std::vector<std::string>& indexFields,
                 const std::vector<std::vector<TVariant>>& rows = {});

// A named database: cursors may name it instead of a directory.
class TDatabase {
 public:
  explicit TDatabase(std::string databaseName = {});
  ~TDatabase();
  TDatabase(const TDatabase&) = delete;
  TDatabase& operator=(const TDatabase&) = delete;

  const std::string& DatabaseName() const { return FDatabaseName; }
  void SetDatabaseName(const std::string& name);
  const std::string& Directory() const { return FDirectory; }
  void SetDirectory(const std::string& directory);

  // While connected the database can be found by its name.
  void Open();
  void Close();
  bool Connected() const { return FConnected; }

  static TDatabase* FindDatabase(const std::string& name);

 private:
  std::string FDatabaseName;
  std::string FDirectory;
  bool FConnected = false;
};

class TTable;

class TField {
 public:
  const std::string& FieldName() const;
  TFieldType DataType() const;
  int Size() const;

  bool IsNull() const;
  // Strings read without trailing blanks; a float reads in its shortest form, "" when it has no value.
  std::string AsString() const;
  // A float with no value reads 0; a string reads as its number, 0 when it is not one.
  double AsFloat() const;
  TVariant Value() const;

  // Writing needs the cursor in edit, insert or set-key state. A string longer
  // than the field's size (in bytes, which are characters) is refused with an error
  // naming the field and its size, and so is a byte that is no Windows-1252 character.
  // Trailing blanks are not stored, and an empty string is no value.
  void SetAsString(const std::string& value);
  void SetAsFloat(double value);
  void SetValue(const TVariant& value);
  void Clear();

 private:
  friend class TTable;
  TField(TTable& table, int index) : FTable(&table), FIndex(index) {}
  TTable* FTable;
  int FIndex;
};

// Data source: tells its listeners when the cursor's row, data or state changes.
class TDataSource {
 public:
  TDataSource() = default;
  ~TDataSource();
  TDataSource(const TDataSource&) = delete;
  TDataSource& operator=(const TDataSource&) = delete;

  TTable* DataSet() const { return FDataSet; }
  void SetDataSet(TTable* table);
  TDataSetState State() const;

  // Field is null when the row moved or the whole row changed, else the changed field.
  std::function<void(TDataSource& sender, TField* field)> OnDataChange;
  std::function<void(TDataSource& sender)> OnStateChange;

 private:
  friend class TTable;
  TTable* FDataSet = nullptr;
};

// A stored value read as TField::AsString reads it.
std::string StoredText(const TVariant& stored);

class TTable {
 public:
  TTable();
  ~TTable();
  TTable(const TTable&) = delete;
  TTable& operator=(const TTable&) = delete;

  // The name of a connected TDatabase, or a directory path.
  void SetDatabaseName(const std::string& name);
  const std::string& DatabaseName() const { return FDatabaseName; }
  // "Barmas.DAT", "param.DAT" or "param": a name without extension gets ".DAT".
  void SetTableName(const std::string& name);
  const std::string& TableName() const { return FTableName; }

  // A refused lock is retried this many times, waiting this long between tries.
  void SetLockRetryCount(int count);
  void SetLockWaitTime(int milliseconds);
  int LockRetryCount() const { return FLockRetryCount; }
  int LockWaitTime() const { return FLockWaitTime; }

  // Open stands on the first row of the current order, or at end of file when empty.
  void Open();
  // Closing in edit or insert state discards the pending change.
  void Close();
  bool Active() const;
  TDataSetState State() const { return FState; }
  // True when a field of the pending row was written.
  bool Modified() const;

  // A field object lives as long as its table; used while the table is closed it raises an error.
  int FieldCount() const;
  TField& Fields(int index);
  TField* FindField(const std::string& name);      // ignores case; null when unknown
  TField& FieldByName(const std::string& name);    // ignores case; error when unknown
  const std::vector<TFieldDef>& FieldDefs() const;

  // Every move first ends a pending change of this cursor: a modified row is
  // posted, an unmodified one cancelled. So do Append, Insert, Edit, FindKey,
  // SetKey, GotoBookmark, Refresh and SetIndexFieldNames.
  void First();
  void Last();
  void Next();
  void Prior();
  int MoveBy(int distance);  // returns the distance actually moved
  bool Eof() const { return FEof; }
  bool Bof() const { return FBof; }
  bool IsEmpty();
  int RecordCount();

  void Append();
  void Insert();  // the same as Append: a new row's place follows from the order
  void Edit();    // on an empty table it starts an insert
  // Stores the pending row. An edit writes only the fields that were modified, and
  // refuses when another user changed one of them or deleted the row meanwhile.
  void Post();
  void Cancel();
  // Deletes the current row (a pending new row is only cancelled) and moves to the next row.
  void Delete();
  // Re-reads the current row; when it is gone the cursor moves to its neighbour.
  void Refresh();
  // Cheap enough to ask several times a second: when the store changed since the last
  // look (rows posted by other cursors, processes or counters), re-reads the current row
  // and tells the data sources, so views show the change; returns whether it did. A
  // cursor in edit, insert or set-key state is left alone, so a pending row is never
  // overwritten; the next look after it ends sees the change.
  bool CheckOutsideChanges();

  // Orders the cursor by these fields (separated by ";"), case ignored; empty: default order.
  void SetIndexFieldNames(const std::string& names);
  const std::string& IndexFieldNames() const { return FIndexFieldNames; }
  // Finds the row whose index fields equal the values: moves there and returns
  // true, or returns false and stays.
  bool FindKey(const std::vector<TVariant>& values);
  // Moves to the first row whose first index field is at least the value, in the
  // order's sense (no value sorts first), or to the last row when none is: the
  // search of a list that finds as the operator types. False on an empty table.
  bool FindNearest(const TVariant& value);
  // Adds an index on the field unless the file has one by that name: a search by the
  // field then needs no sort. Rows are untouched; older files gain it when first opened.
  // Only a missing index is written, and only when that can be done at once: a file
  // that may only be read, or that another user holds locked, is left as it is (and
  // gains the index at a later opening), so it still opens for browsing.
  void AddMissingIndex(const std::string& fieldName);
  // Adds to the file each of these fields it has no field of that name for, after its
  // own, empty in every row; the rows and the fields already there stay as they are,
  // so an older program reading the file still finds its fields. Needs browse state;
  // the cursor is reopened on its row.
  void AddMissingFields(const std::vector<TFieldDef>& fields);

  void SetKey();   // set-key state: write the key into the fields, then GotoKey
  bool GotoKey();

  // Opaque row identity for returning to a row later.
  using TBookmark = std::int64_t;
  TBookmark GetBookmark() const;
  void GotoBookmark(TBookmark bookmark);

  // Positioned reading, for views that show many rows at once (a grid): rows are
  // counted from 0 in the current order, as the file holds them now. None of
  // these moves the cursor, ends its pending change or tells its data sources.
  struct TRowAt {
    TBookmark Bookmark = 0;
    std::vector<TVariant> Values;  // stored values, in field order
  };
  // Up to count rows from the row at position first; fewer at the end of the table.
  std::vector<TRowAt> ReadRowsAt(int first, int count);
  // Bulk writing, for imports: one write transaction, so every row is written or none.
  // A row with bookmark 0 is inserted; any other replaces all fields of the row with
  // that bookmark (of several writes of one row the last stays). Values (in field order)
  // are checked as SetValue checks them. The rows go in statements of many rows each, not
  // one round trip a row. Ends a pending change first; afterwards the cursor re-reads its
  // row and tells its data sources.
  struct TRowWrite {
    TBookmark Bookmark = 0;
    std::vector<TVariant> Values;
  };
  void WriteRows(const std::vector<TRowWrite>& rows);
  // The current row's position. A pending new row stands after the last row, at
  // RecordCount(); -1 when there is no current row (an empty table).
  int CurrentPosition();

 private:
  friend class TField;
  friend class TDataSource;
  struct TImpl;
  struct TRow;

  TImpl& Impl() const;
  void EndPending();
  bool Step(bool forward);
  void MoveTo(TRow row);
  void Resync();
  void PostInsert();
  void PostEdit();
  bool PostToUnsettledInsert();
  void ReturnToBrowse();
  detail::TLockPolicy LockPolicy() const;
  void SetState(TDataSetState state);
  void NotifyDataChange(TField* field);
  void NotifyStateChange();
  void WriteField(int index, const TVariant& value);
  const TVariant& ReadField(int index) const;

  std::unique_ptr<TImpl> FImpl;
  std::vector<std::unique_ptr<TField>> FFields;
  std::string FDatabaseName;
  std::string FTableName;
  std::string FIndexFieldNames;
  int FLockRetryCount = 15;
  int FLockWaitTime = 100;
  TDataSetState FState = TDataSetState::dsInactive;
  bool FEof = true;
  bool FBof = true;
  std::vector<TDataSource*> FDataSources;
};

}  // namespace tables
