#include "tables/values.h"

#include <charconv>
#include <cmath>

#include "base/ansi.h"

namespace tables::detail {

namespace {

std::string NotANumber(const TFieldDef& field, std::string_view text) {
  return "'" + std::string(text) + "' is not a valid number for field " + field.Name;
}

void RefuseUnassignedBytes(const TFieldDef& field, std::string_view text) {
  for (unsigned char byte : text) {
    if (platform::IsAnsiCharacter(byte)) continue;
    throw ETableError("Field " + field.Name + " cannot store the byte " + platform::ByteName(byte) +
                      ": it is no character of Windows-1252");
  }
}

TVariant StringFieldValue(const TFieldDef& field, std::string text, bool checkSize) {
  text = TrimRight(text);
  if (text.empty()) return {};
  RefuseUnassignedBytes(field, text);
  if (checkSize && text.size() > static_cast<std::size_t>(field.Size)) {
    throw ETableError("Value too long for field " + field.Name + " (at most " +
                      std::to_string(field.Size) + " characters)");
  }
  return text;
}

TVariant FloatFieldValue(const TFieldDef& field, const std::string& text) {
  if (TrimBlanks(text).empty()) return {};
  const auto number = ParseFloat(text);
  if (!number) throw ETableError(NotANumber(field, text));
  return *number;
}

TVariant Convert(const TFieldDef& field, const TVariant& value, bool checkSize) {
  if (std::holds_alternative<std::monostate>(value)) return {};
  if (const double* number = std::get_if<double>(&value)) {
    if (!std::isfinite(*number)) throw ETableError(NotANumber(field, FormatFloat(*number)));
    if (field.DataType == TFieldType::ftFloat) return *number;
    return StringFieldValue(field, FormatFloat(*number), checkSize);
  }
  const std::string& text = std::get<std::string>(value);
  if (field.DataType == TFieldType::ftFloat) return FloatFieldValue(field, text);
  return StringFieldValue(field, text, checkSize);
}

}  // namespace

std::string_view TrimBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string TrimRight(std::string_view text) {
  const auto last = text.find_last_not_of(' ');
  return last == std::string_view::npos ? std::string() : std::string(text.substr(0, last + 1));
}

std::string FormatFloat(double value) {
  if (value == 0) return "0";  // also for -0
  if (!std::isfinite(value)) return std::isnan(value) ? "nan" : (value > 0 ? "inf" : "-inf");
  char text[64];
  const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 15);
  return std::string(text, result.ptr);
}

std::optional<double> ParseFloat(std::string_view text) {
  text = TrimBlanks(text);
  if (text.starts_with('+')) {
    text.remove_prefix(1);
    if (text.starts_with('-')) return std::nullopt;
  }
  if (text.empty()) return std::nullopt;
  double value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

TVariant StoredValue(const TFieldDef& field, const TVariant& value) {
  return Convert(field, value, true);
}

TVariant KeyValue(const TFieldDef& field, const TVariant& value) {
  return Convert(field, value, false);
}

std::string TextOf(const TVariant& stored) {
  if (const auto* text = std::get_if<std::string>(&stored)) return TrimRight(*text);
  if (const auto* number = std::get_if<double>(&stored)) return FormatFloat(*number);
  return {};
}

double NumberOf(const TVariant& stored) {
  if (const auto* number = std::get_if<double>(&stored)) return *number;
  if (const auto* text = std::get_if<std::string>(&stored)) return ParseFloat(*text).value_or(0);
  return 0;
}

}  // namespace tables::detail
