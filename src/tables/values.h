// Field values: what a field stores when it is written, and how a stored value
// reads as a string or a number. Every write (cursor fields, key values, rows
// of a new table) goes through StoredValue, so all agree on one form:
// strings without trailing blanks, an empty string or text as no value.
// Strings are the program's Windows-1252 text, one byte a character, so a field's
// size counts bytes; the file holds their UTF-8 form (see ToSql and FromSql).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "tables/tables.h"

namespace tables::detail {

std::string TrimRight(std::string_view text);
// Without blanks at either end.
std::string_view TrimBlanks(std::string_view text);

// Shortest natural text of a number: "12.5", "3", "0.3" (15 significant digits).
std::string FormatFloat(double value);
// A number written with '.' as decimal point, blanks around allowed; nothing when it is not one.
std::optional<double> ParseFloat(std::string_view text);

// The value the field stores for this input. Refuses a string longer than the
// field's size or holding a byte that is no Windows-1252 character and, for a
// float field, text that is not a number.
TVariant StoredValue(const TFieldDef& field, const TVariant& value);
// The same conversion for a search key: no size limit, since a longer key simply matches nothing.
// A key that no field can hold is refused all the same: it has no form in the file to search for.
TVariant KeyValue(const TFieldDef& field, const TVariant& value);

// A stored value read as a field reads it.
std::string TextOf(const TVariant& stored);
double NumberOf(const TVariant& stored);

}  // namespace tables::detail
