#include "support.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

#include "items/shoptables.h"

namespace tables::test {

void MakeBarmas(const std::string& directory, const std::vector<TItem>& items) {
  const auto& layout = items::BarmasLayout();
  CreateTable(directory, layout.Name, layout.Fields, layout.IndexFields);
  auto table = OpenTable(directory);
  for (const auto& item : items) {
    table->Append();
    table->FieldByName("FBarcode").SetAsString(item.Barcode);
    table->FieldByName("FName").SetAsString(item.Name);
    table->FieldByName("FSP").SetAsString(item.Price);
    table->Post();
  }
}

std::unique_ptr<TTable> OpenTable(const std::string& directory, const std::string& name) {
  auto table = std::make_unique<TTable>();
  table->SetDatabaseName(directory);
  table->SetTableName(name);
  table->Open();
  return table;
}

std::vector<std::string> Walk(TTable& table, const std::string& field, bool forward) {
  std::vector<std::string> values;
  forward ? table.First() : table.Last();
  while (!(forward ? table.Eof() : table.Bof())) {
    values.push_back(table.FieldByName(field).AsString());
    forward ? table.Next() : table.Prior();
  }
  return values;
}

TRawConnection::TRawConnection(const std::string& path) {
  if (sqlite3_open_v2(path.c_str(), &FDb, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
    throw std::runtime_error("cannot open " + path);
  }
}

TRawConnection::~TRawConnection() { sqlite3_close_v2(FDb); }

void TRawConnection::Exec(const std::string& sql) {
  char* error = nullptr;
  if (sqlite3_exec(FDb, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
    const std::string message = error ? error : "unknown error";
    sqlite3_free(error);
    throw std::runtime_error(sql + ": " + message);
  }
}

std::vector<std::string> TRawConnection::Column(const std::string& sql) {
  std::vector<std::string> values;
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(FDb, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
    throw std::runtime_error(sql + ": " + sqlite3_errmsg(FDb));
  }
  while (sqlite3_step(statement) == SQLITE_ROW) {
    const auto* text = sqlite3_column_text(statement, 0);
    values.push_back(text ? reinterpret_cast<const char*>(text) : "NULL");
  }
  sqlite3_finalize(statement);
  return values;
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

}  // namespace tables::test
