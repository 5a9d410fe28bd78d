// The order a cursor walks in, and the queries that find a row's neighbours in
// it without reading the table: each query is an index range scan with LIMIT 1.
// The order is the key fields, ties broken by row id; without key fields it is
// the row id alone, the order rows were added in.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tables/connection.h"
#include "tables/tables.h"

namespace tables::detail {

struct TBoundQuery {
  std::string Sql;
  std::vector<TSqlValue> Params;
};

// Where a cursor stands: the row id and the stored values of the key fields.
struct TRowPosition {
  std::int64_t RowId = 0;
  std::vector<TVariant> Keys;
};

// A stored value as the file holds it: text in UTF-8, so other tools read it right.
// The text is the program's Windows-1252, checked when it was stored.
TSqlValue ToSql(const TVariant& value);
// A value of the file as the field of that table holds it: UTF-8 text back in
// Windows-1252. Text that is not UTF-8, or holds a character Windows-1252 lacks
// (another program wrote it), is refused naming the field, never guessed at: a
// replaced character would show, compare and sort as something the file does not hold.
TVariant FromSql(TSqlValue&& value, const TFieldDef& field, const std::string& table);

class TRowOrder {
 public:
  // keyFields are positions in fields.
  TRowOrder(const std::string& table, const std::vector<TFieldDef>& fields, std::vector<int> keyFields);

  const std::vector<int>& KeyFields() const { return FKeyFields; }
  TRowPosition PositionOf(std::int64_t rowId, const std::vector<TVariant>& values) const;

  TBoundQuery End(bool last) const;
  // The neighbour of a position is the first row that any of these queries
  // returns, tried in turn: each covers a stretch of the order that lies wholly
  // beyond the stretches of the ones before it. Splitting this way keeps no
  // value from a comparison with NULL, which would match nothing.
  std::vector<TBoundQuery> Neighbour(const TRowPosition& from, bool forward) const;
  // The first row whose leading key fields hold these stored values.
  TBoundQuery Find(const std::vector<TVariant>& keys) const;
  TBoundQuery ByRowId(std::int64_t rowId) const;
  // The first row whose first key field holds at least this stored value (not NULL).
  TBoundQuery AtLeast(const TVariant& firstKey) const;
  // Up to count rows from the offset-th row of the order (parameters 1 and 2: count, offset).
  TBoundQuery Slice(int offset, int count) const;
  // Counting queries whose sum is the number of rows after `after` (from the first row when
  // null) and before `before` (to the last row when null); with a limit above 0 each query
  // counts up to that many rows. With `before` null there is one query per stretch beyond
  // `after`, in the order of NthAfter's.
  std::vector<TBoundQuery> CountBetween(const TRowPosition* after, const TRowPosition* before, int limit = 0) const;
  // For each stretch beyond the position (the whole order when null), nearest first: its
  // row that lies offset rows on from its first.
  std::vector<TBoundQuery> NthAfter(const TRowPosition* after, int offset) const;
  // Below, equal to or above 0 as a stands before, on or after b: what the queries' order does.
  int Compare(const TRowPosition& a, const TRowPosition& b) const;

 private:
  struct TCondition {
    std::string Text;  // uses ?N with N given at assembly
    bool HasParam;
    TSqlValue Param;
  };
  TCondition KeyIs(int key, const TVariant& value) const;
  std::vector<TCondition> KeysEqual(const TRowPosition& from, std::size_t count) const;
  // The disjoint stretches of the order beyond the position, nearest first.
  std::vector<std::vector<TCondition>> Stretches(const TRowPosition& from, bool forward) const;
  // The same, or one stretch holding every row when there is no position.
  std::vector<std::vector<TCondition>> StretchesBeyond(const TRowPosition* from, bool forward) const;
  TBoundQuery Assemble(const std::vector<TCondition>& conditions, bool descending) const;
  TBoundQuery Assemble(const std::string& head, const std::vector<TCondition>& conditions,
                       const std::string& tail) const;
  // With one more parameter after the conditions' ones, written as "?" at the end of middle.
  TBoundQuery Assemble(const std::string& head, const std::vector<TCondition>& conditions, const std::string& middle,
                       TSqlValue param, const std::string& tail) const;

  std::string FSelect;
  std::string FCount;
  std::string FFrom;
  std::vector<std::string> FQuotedKeys;
  std::vector<int> FKeyFields;
  std::string FAscending;
  std::string FDescending;
};

}  // namespace tables::detail
