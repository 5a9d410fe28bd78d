#include "tables/roworder.h"

#include "base/ansi.h"
#include "tables/names.h"
#include "tables/sqltext.h"

namespace tables::detail {

namespace {

// NULL first, as the neighbour queries assume: SQLite's own rule, said aloud for the server.
std::string OrderBy(const std::vector<std::string>& keys, bool descending) {
  const char* direction = descending ? " DESC" : "";
  std::string text = " ORDER BY ";
  for (const auto& key : keys) text += key + (descending ? " DESC NULLS LAST" : " NULLS FIRST") + ", ";
  return text + "rowid" + direction;
}

std::string UnreadableText(const TFieldDef& field, const std::string& table, const platform::EAnsiConversion& why) {
  const std::string where = "Field " + field.Name + " of table " + table + " holds ";
  if (why.Reason() == platform::EAnsiConversion::TReason::NotUtf8) {
    return where + "text that is not valid UTF-8, so the row cannot be read";
  }
  return where + "the character " + platform::CodePointName(why.CodePoint()) +
         ", which Windows-1252 lacks, so the row cannot be read";
}

// The order SQLite gives stored values: no value, then numbers, then text byte by byte.
int CompareStored(const TSqlValue& a, const TSqlValue& b) {
  const auto kind = [](const TSqlValue& value) {
    return std::holds_alternative<std::monostate>(value) ? 0 : std::holds_alternative<std::string>(value) ? 2 : 1;
  };
  if (kind(a) != kind(b) || kind(a) == 0) return kind(a) - kind(b);
  if (const auto* text = std::get_if<std::string>(&a)) return text->compare(std::get<std::string>(b));
  const auto number = [](const TSqlValue& value) {
    if (const auto* integer = std::get_if<std::int64_t>(&value)) return static_cast<double>(*integer);
    return std::get<double>(value);
  };
  const double x = number(a);
  const double y = number(b);
  return x < y ? -1 : x > y ? 1 : 0;
}

}  // namespace

TSqlValue ToSql(const TVariant& value) {
  if (const auto* text = std::get_if<std::string>(&value)) return platform::AnsiToUtf8(*text);
  if (const auto* number = std::get_if<double>(&value)) return *number;
  return std::monostate{};
}

TVariant FromSql(TSqlValue&& value, const TFieldDef& field, const std::string& table) {
  if (const auto* text = std::get_if<std::string>(&value)) {
    try {
      return platform::Utf8ToAnsi(*text);
    } catch (const platform::EAnsiConversion& why) {
      throw ETableError(UnreadableText(field, table, why));
    }
  }
  if (const auto* number = std::get_if<double>(&value)) return *number;
  if (const auto* integer = std::get_if<std::int64_t>(&value)) return static_cast<double>(*integer);
  return std::monostate{};
}

TRowOrder::TRowOrder(const std::string& table, const std::vector<TFieldDef>& fields, std::vector<int> keyFields)
    : FSelect(SelectRowsSql(table, fields)),
      FCount(CountRowsSql(table)),
      FFrom(" FROM " + QuoteIdentifier(table)),
      FKeyFields(std::move(keyFields)) {
  for (int key : FKeyFields) FQuotedKeys.push_back(QuoteIdentifier(fields[key].Name));
  FAscending = OrderBy(FQuotedKeys, false);
  FDescending = OrderBy(FQuotedKeys, true);
}

TRowPosition TRowOrder::PositionOf(std::int64_t rowId, const std::vector<TVariant>& values) const {
  TRowPosition position{rowId, {}};
  for (int key : FKeyFields) position.Keys.push_back(values[key]);
  return position;
}

TBoundQuery TRowOrder::End(bool last) const { return Assemble({}, last); }

std::vector<TBoundQuery> TRowOrder::Neighbour(const TRowPosition& from, bool forward) const {
  std::vector<TBoundQuery> queries;
  for (const auto& conditions : Stretches(from, forward)) queries.push_back(Assemble(conditions, !forward));
  return queries;
}

std::vector<TBoundQuery> TRowOrder::CountBetween(const TRowPosition* after, const TRowPosition* before,
                                                 int limit) const {
  std::vector<TBoundQuery> queries;
  // The stretches on each side are disjoint, so the pairs are too.
  for (const auto& first : StretchesBeyond(after, true)) {
    for (const auto& second : StretchesBeyond(before, false)) {
      auto conditions = first;
      conditions.insert(conditions.end(), second.begin(), second.end());
      queries.push_back(limit > 0 ? Assemble("SELECT count(*) FROM (SELECT 1" + FFrom, conditions, " LIMIT ?",
                                             std::int64_t{limit}, ") AS stretch")
                                  : Assemble(FCount, conditions, ""));
    }
  }
  return queries;
}

std::vector<TBoundQuery> TRowOrder::NthAfter(const TRowPosition* after, int offset) const {
  std::vector<TBoundQuery> queries;
  for (const auto& conditions : StretchesBeyond(after, true)) {
    queries.push_back(Assemble(FSelect, conditions, FAscending + " LIMIT 1 OFFSET ?", std::int64_t{offset}, ""));
  }
  return queries;
}

int TRowOrder::Compare(const TRowPosition& a, const TRowPosition& b) const {
  for (std::size_t k = 0; k < FKeyFields.size(); ++k) {
    if (const int order = CompareStored(ToSql(a.Keys[k]), ToSql(b.Keys[k]))) return order;
  }
  return a.RowId < b.RowId ? -1 : a.RowId > b.RowId ? 1 : 0;
}

std::vector<std::vector<TRowOrder::TCondition>> TRowOrder::StretchesBeyond(const TRowPosition* from,
                                                                           bool forward) const {
  return from ? Stretches(*from, forward) : std::vector<std::vector<TCondition>>{{}};
}

std::vector<std::vector<TRowOrder::TCondition>> TRowOrder::Stretches(const TRowPosition& from, bool forward) const {
  std::vector<std::vector<TCondition>> stretches;
  auto sameKeys = KeysEqual(from, FQuotedKeys.size());
  sameKeys.push_back({forward ? "rowid > ?" : "rowid < ?", true, from.RowId});
  stretches.push_back(std::move(sameKeys));
  // Then rows that first differ at key k, from the last key back to the first.
  for (std::size_t k = FQuotedKeys.size(); k-- > 0;) {
    const auto prefix = KeysEqual(from, k);
    const auto& key = FQuotedKeys[k];
    const TVariant& value = from.Keys[k];
    const bool isNull = std::holds_alternative<std::monostate>(value);
    auto with = [&](TCondition condition) {
      auto conditions = prefix;
      conditions.push_back(std::move(condition));
      stretches.push_back(std::move(conditions));
    };
    // NULL sorts before every value.
    if (forward) {
      with(isNull ? TCondition{key + " IS NOT NULL", false, {}} : TCondition{key + " > ?", true, ToSql(value)});
    } else if (!isNull) {
      with({key + " < ?", true, ToSql(value)});
      with({key + " IS NULL", false, {}});
    }
  }
  return stretches;
}

TBoundQuery TRowOrder::Find(const std::vector<TVariant>& keys) const {
  std::vector<TCondition> conditions;
  for (std::size_t k = 0; k < keys.size(); ++k) conditions.push_back(KeyIs(static_cast<int>(k), keys[k]));
  return Assemble(conditions, false);
}

TBoundQuery TRowOrder::ByRowId(std::int64_t rowId) const {
  return {FSelect + " WHERE rowid = ?1", {rowId}};
}

TBoundQuery TRowOrder::AtLeast(const TVariant& firstKey) const {
  return Assemble({{FQuotedKeys.front() + " >= ?", true, ToSql(firstKey)}}, false);
}

TBoundQuery TRowOrder::Slice(int offset, int count) const {
  return {FSelect + FAscending + " LIMIT ?1 OFFSET ?2", {std::int64_t{count}, std::int64_t{offset}}};
}

TRowOrder::TCondition TRowOrder::KeyIs(int key, const TVariant& value) const {
  // Both stores serve = and IS NULL from the index.
  if (std::holds_alternative<std::monostate>(value)) return {FQuotedKeys[key] + " IS NULL", false, {}};
  return {FQuotedKeys[key] + " = ?", true, ToSql(value)};
}

std::vector<TRowOrder::TCondition> TRowOrder::KeysEqual(const TRowPosition& from, std::size_t count) const {
  std::vector<TCondition> conditions;
  for (std::size_t k = 0; k < count; ++k) conditions.push_back(KeyIs(static_cast<int>(k), from.Keys[k]));
  return conditions;
}

TBoundQuery TRowOrder::Assemble(const std::vector<TCondition>& conditions, bool descending) const {
  return Assemble(FSelect, conditions, (descending ? FDescending : FAscending) + " LIMIT 1");
}

TBoundQuery TRowOrder::Assemble(const std::string& head, const std::vector<TCondition>& conditions,
                                const std::string& middle, TSqlValue param, const std::string& tail) const {
  TBoundQuery query = Assemble(head, conditions, middle);
  query.Params.push_back(std::move(param));
  query.Sql += std::to_string(query.Params.size()) + tail;
  return query;
}

TBoundQuery TRowOrder::Assemble(const std::string& head, const std::vector<TCondition>& conditions,
                                const std::string& tail) const {
  TBoundQuery query{head, {}};
  for (std::size_t i = 0; i < conditions.size(); ++i) {
    std::string text = conditions[i].Text;
    if (conditions[i].HasParam) {
      query.Params.push_back(conditions[i].Param);
      text += std::to_string(query.Params.size());
    }
    query.Sql += (i ? " AND " : " WHERE ") + text;
  }
  query.Sql += tail;
  return query;
}

}  // namespace tables::detail
