#include "items/itemsheet.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <map>

#include "base/ansi.h"
#include "items/shoptables.h"

namespace items {
namespace {

using tables::TFieldDef;
using tables::TVariant;

using barmas::kBarcodeLength;
using barmas::kShortestBarcode;
// A 13-digit code that a spreadsheet read as a number lost its leading zeros; below nine
// digits it would need four or more, which no real shop code has.
constexpr int kShortestZeroLost = 9;

class ERowRefused : public std::runtime_error {
 public:
  ERowRefused(const std::string& field, const std::string& reason) : std::runtime_error(field + ": " + reason) {}
};

std::string Lowered(std::string text) {
  std::ranges::transform(text, text.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string TrimmedRight(const std::string& text) {
  const auto last = text.find_last_not_of(' ');
  return last == std::string::npos ? std::string{} : text.substr(0, last + 1);
}

bool AllDigits(const std::string& text) {
  return !text.empty() && std::ranges::all_of(text, [](unsigned char c) { return std::isdigit(c) != 0; });
}

// "5.90123E+12", "5,9E12": what a spreadsheet writes for a long number.
bool IsExponentNotation(const std::string& text) {
  const auto e = text.find_first_of("eE");
  if (e == std::string::npos || e == 0) return false;
  std::string mantissa = text.substr(0, e);
  std::string exponent = text.substr(e + 1);
  if (!exponent.empty() && (exponent[0] == '+' || exponent[0] == '-')) exponent.erase(0, 1);
  const auto point = mantissa.find_first_of(".,");
  if (point != std::string::npos) mantissa.erase(point, 1);
  return AllDigits(mantissa) && AllDigits(exponent);
}

// The column of each item field, -1 when absent; unknown header names are collected.
std::vector<int> MatchColumns(const TCsvRecord& header, const std::vector<TFieldDef>& fields,
                              std::vector<std::string>& unknown) {
  std::vector<int> columns(fields.size(), -1);
  for (size_t c = 0; c < header.Fields.size(); ++c) {
    const std::string name = Lowered(Trimmed(header.Fields[c]));
    int match = -1;
    for (size_t f = 0; f < fields.size(); ++f) {
      if (name == Lowered(fields[f].Name) || name == Lowered(barmas::Caption(fields[f].Name))) match = int(f);
    }
    if (match < 0) {
      unknown.push_back(header.Fields[c].empty() ? "column " + std::to_string(c + 1) + " (no name)" : header.Fields[c]);
      continue;
    }
    if (columns[size_t(match)] >= 0) {
      throw EItemFileRefused("The file names the field " + fields[size_t(match)].Name + " twice (columns " +
                             std::to_string(columns[size_t(match)] + 1) + " and " + std::to_string(c + 1) +
                             "); nothing was imported");
    }
    columns[size_t(match)] = int(c);
  }
  return columns;
}

std::string AnsiText(const std::string& field, const std::string& raw, TCsvEncoding encoding) {
  std::string text;
  try {
    text = FieldToAnsi(raw, encoding);
  } catch (const platform::EAnsiConversion& e) {
    using TReason = platform::EAnsiConversion::TReason;
    if (e.Reason() == TReason::NoAnsiCharacter)
      throw ERowRefused(field, "holds the character " + platform::CodePointName(e.CodePoint()) +
                                   ", which Windows-1252 lacks");
    throw ERowRefused(field, "holds the byte " + platform::ByteName(static_cast<unsigned char>(e.CodePoint())) +
                                 ", which is no Windows-1252 character");
  }
  for (unsigned char byte : text) {
    if (byte < 0x20 || byte == 0x7F) throw ERowRefused(field, "holds the control character " + platform::ByteName(byte));
  }
  return text;
}

TVariant NumberValue(const TFieldDef& field, const std::string& text) {
  if (text.empty()) return {};
  std::string plain = text;
  // A decimal comma, as spreadsheets of most of Europe write it.
  if (plain.find('.') == std::string::npos && std::ranges::count(plain, ',') == 1) plain[plain.find(',')] = '.';
  double value = 0;
  const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
  if (error != std::errc() || end != plain.data() + plain.size() || !std::isfinite(value))
    throw ERowRefused(field.Name, "not a number: " + text);
  return value;
}

std::string BarcodeValue(const std::string& text, int line, std::vector<std::string>& restored) {
  if (text.empty()) throw ERowRefused(barmas::FBarcode, "no barcode");
  if (IsExponentNotation(text)) {
    throw ERowRefused(barmas::FBarcode, "in exponent notation (" + text + "), so its digits are lost");
  }
  const int length = int(text.size());
  if (AllDigits(text) && length >= kShortestZeroLost && length < kBarcodeLength) {
    const std::string padded = std::string(size_t(kBarcodeLength - length), '0') + text;
    if (IsValidEan13(padded)) {
      restored.push_back("line " + std::to_string(line) + ": leading zeros restored: " + padded);
      return padded;
    }
  }
  if (length < kShortestBarcode) throw ERowRefused(barmas::FBarcode, barmas::kShortBarcodeMessage);
  return text;
}

TVariant FieldValue(const TFieldDef& field, const std::string& raw, const TCsvFile& file, int line,
                    std::vector<std::string>& restored) {
  const std::string text = AnsiText(field.Name, raw, file.Encoding);
  if (field.DataType == tables::TFieldType::ftFloat) return NumberValue(field, Trimmed(text));
  std::string value = field.Name == barmas::FBarcode ? BarcodeValue(Trimmed(text), line, restored) : TrimmedRight(text);
  if (int(value.size()) > field.Size) {
    throw ERowRefused(field.Name, "longer than " + std::to_string(field.Size) + " characters");
  }
  if (value.empty()) return {};
  return value;
}

TSheetRow CheckRow(const TCsvRecord& record, const std::vector<int>& columns, size_t headerWidth,
                   const TCsvFile& file, std::vector<std::string>& restored) {
  const auto extra = std::find_if(record.Fields.begin() + long(std::min(headerWidth, record.Fields.size())),
                                  record.Fields.end(), [](const std::string& f) { return !f.empty(); });
  if (record.Fields.size() < headerWidth || extra != record.Fields.end()) {
    throw ERowRefused("row", std::to_string(record.Fields.size()) + " fields where the header has " +
                                 std::to_string(headerWidth));
  }
  const auto& fields = BarmasLayout().Fields;
  TSheetRow row{record.Line, std::vector<TVariant>(fields.size())};
  std::vector<std::string> rowRestored;
  for (size_t f = 0; f < fields.size(); ++f) {
    if (columns[f] < 0) continue;
    row.Values[f] = FieldValue(fields[f], record.Fields[size_t(columns[f])], file, record.Line, rowRestored);
  }
  restored.insert(restored.end(), rowRestored.begin(), rowRestored.end());
  return row;
}

// A barcode on several lines is refused on all of them: which one is meant is unknown.
void RefuseRepeatedBarcodes(TItemSheet& sheet, std::map<int, std::string>& refused) {
  std::map<std::string, std::vector<int>> lines;
  for (const TSheetRow& row : sheet.Rows) lines[std::get<std::string>(row.Values[ItemFieldIndex(barmas::FBarcode)])].push_back(row.Line);
  std::erase_if(sheet.Rows, [&](const TSheetRow& row) {
    const std::string& barcode = std::get<std::string>(row.Values[ItemFieldIndex(barmas::FBarcode)]);
    const auto& at = lines[barcode];
    if (at.size() < 2) return false;
    std::string list;
    for (int line : at) list += (list.empty() ? "" : ", ") + std::to_string(line);
    refused[row.Line] = std::string(barmas::FBarcode) + ": " + barcode + " appears more than once (lines " + list + ")";
    return true;
  });
}

}  // namespace

bool IsValidEan13(const std::string& digits) {
  if (digits.size() != 13 || !AllDigits(digits)) return false;
  int sum = 0;
  for (size_t i = 0; i < 12; ++i) sum += (digits[i] - '0') * (i % 2 == 0 ? 1 : 3);
  return (10 - sum % 10) % 10 == digits[12] - '0';
}

TItemSheet CheckItemSheet(const TCsvFile& file) {
  if (file.Records.empty()) throw EItemFileRefused("The file is empty: it has no header row naming the fields");
  const auto& fields = BarmasLayout().Fields;
  TItemSheet sheet;
  const TCsvRecord& header = file.Records.front();
  const std::vector<int> columns = MatchColumns(header, fields, sheet.UnknownColumns);
  if (columns[ItemFieldIndex(barmas::FBarcode)] < 0) {
    throw EItemFileRefused(std::string("The file has no barcode column (") + barmas::FBarcode + " or \"" +
                           barmas::Caption(barmas::FBarcode) + "\"); nothing was imported");
  }
  for (int column : columns) sheet.Present.push_back(column >= 0);
  std::map<int, std::string> refused;
  for (size_t r = 1; r < file.Records.size(); ++r) {
    const TCsvRecord& record = file.Records[r];
    try {
      sheet.Rows.push_back(CheckRow(record, columns, header.Fields.size(), file, sheet.Restored));
    } catch (const ERowRefused& e) {
      refused[record.Line] = e.what();
    }
  }
  RefuseRepeatedBarcodes(sheet, refused);
  for (const auto& [line, reason] : refused) sheet.Refused.push_back("line " + std::to_string(line) + ": " + reason);
  return sheet;
}

}  // namespace items
