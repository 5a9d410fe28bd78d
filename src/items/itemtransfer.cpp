#include "items/itemtransfer.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <unordered_map>

#include "base/ansi.h"
#include "base/ioerror.h"
#include "items/shoptables.h"

namespace items {
namespace {

using tables::TVariant;

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
constexpr char kDelimiter = ',';

// As few digits as give the value back, always with a decimal point, never an exponent.
std::string NumberText(double value) {
  char buffer[400];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  return error == std::errc() ? std::string(buffer, end) : std::string{};
}

std::string CellText(const TVariant& value) {
  if (const auto* number = std::get_if<double>(&value)) return NumberText(*number);
  if (const auto* text = std::get_if<std::string>(&value)) return CsvField(platform::AnsiToUtf8(*text), kDelimiter);
  return {};
}

}  // namespace

void OpenItemTable(tables::TTable& items, const std::string& dataDirectory) {
  items.SetDatabaseName(dataDirectory);
  items.SetTableName(std::string(barmas::kTable) + ".DAT");
  items.Open();
}

TItemImport::TItemImport(const std::string& csvPath, tables::TTable& items)
    : FItems(items), FSheet(CheckItemSheet(ReadCsvFile(csvPath))) {
  const size_t barcode = ItemFieldIndex(barmas::FBarcode);
  items.SetIndexFieldNames(barmas::FBarcode);
  // The first row of each barcode in barcode order is the one an import updates.
  std::unordered_map<std::string, tables::TTable::TRowAt> existing;
  for (auto& row : items.ReadRowsAt(0, items.RecordCount())) {
    existing.try_emplace(tables::StoredText(row.Values[barcode]), std::move(row));
  }
  for (const TSheetRow& row : FSheet.Rows) {
    const auto found = existing.find(std::get<std::string>(row.Values[barcode]));
    if (found == existing.end()) {
      FNew.push_back({0, row.Values});
      continue;
    }
    std::vector<TVariant> merged = found->second.Values;
    for (size_t f = 0; f < merged.size(); ++f)
      if (FSheet.Present[f]) merged[f] = row.Values[f];
    if (merged != found->second.Values) FChanged.push_back({found->second.Bookmark, std::move(merged)});
  }
}

std::string TItemImport::Summary() const {
  return std::to_string(NewCount()) + " new, " + std::to_string(ChangedCount()) + " changed, " +
         std::to_string(RefusedCount()) + " refused";
}

std::vector<std::string> TItemImport::Report() const {
  std::vector<std::string> lines{Summary()};
  if (!FSheet.UnknownColumns.empty()) {
    std::string list;
    for (const auto& name : FSheet.UnknownColumns) list += (list.empty() ? "" : ", ") + name;
    lines.push_back("unknown columns, ignored: " + list);
  }
  lines.insert(lines.end(), FSheet.Restored.begin(), FSheet.Restored.end());
  lines.insert(lines.end(), FSheet.Refused.begin(), FSheet.Refused.end());
  return lines;
}

void TItemImport::Apply(bool updateExisting) {
  std::vector<tables::TTable::TRowWrite> rows = FNew;
  if (updateExisting) rows.insert(rows.end(), FChanged.begin(), FChanged.end());
  FItems.WriteRows(rows);
}

std::string ItemCsvText(const std::vector<std::vector<TVariant>>& rows) {
  std::string text = kByteOrderMark;
  const auto& fields = BarmasLayout().Fields;
  for (size_t f = 0; f < fields.size(); ++f) text += (f ? "," : "") + fields[f].Name;
  text += "\r\n";
  for (const auto& row : rows) {
    for (size_t f = 0; f < row.size(); ++f) {
      if (f) text += kDelimiter;
      text += CellText(row[f]);
    }
    text += "\r\n";
  }
  return text;
}

std::vector<std::vector<TVariant>> AllItemRows(tables::TTable& items) {
  std::vector<std::vector<TVariant>> rows;
  for (auto& row : items.ReadRowsAt(0, items.RecordCount())) rows.push_back(std::move(row.Values));
  return rows;
}

void WriteTextFile(const std::string& path, const std::string& text) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) throw platform::EInOutError(errno);
  try {
    platform::WriteAll(fd, text);
  } catch (...) {
    close(fd);
    throw;
  }
  if (close(fd) != 0) throw platform::EInOutError(errno);
}

}  // namespace items
