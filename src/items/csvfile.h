// Comma-separated files as spreadsheets write and read them (RFC 4180): a header row,
// comma or semicolon between fields (whichever the header uses more), fields in double
// quotes holding delimiters, doubled quotes and line breaks, rows ended by CR LF, LF or
// CR. The text is UTF-8, with or without a byte-order mark, or Windows-1252 when its
// bytes are not UTF-8. Fields stay in the file's encoding until they are converted one
// by one, so one bad character refuses one field, not the file.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace items {

enum class TCsvEncoding { Utf8, Windows1252 };

struct TCsvRecord {
  int Line = 0;  // the file's line where the record starts, from 1
  std::vector<std::string> Fields;
};

struct TCsvFile {
  TCsvEncoding Encoding = TCsvEncoding::Utf8;
  char Delimiter = ',';
  // Every record, the header first; blank lines are left out.
  std::vector<TCsvRecord> Records;
};

// A file that cannot be read as a whole; the message starts with the line.
class ECsvFileError : public std::runtime_error {
 public:
  ECsvFileError(int line, const std::string& reason);
  int Line() const { return FLine; }

 private:
  int FLine;
};

// Splits the bytes into records. A file that ends inside a quoted field, or whose last
// row lacks its line end and has fewer fields than the header, was cut off: refused.
TCsvFile ParseCsv(std::string_view bytes);

// Reads a file whole (a regular file, at most 256 MB) and parses it.
TCsvFile ReadCsvFile(const std::string& path);

// The field as the program's Windows-1252 text; refuses (platform::EAnsiConversion)
// a character Windows-1252 lacks and, in a Windows-1252 file, an unassigned byte.
std::string FieldToAnsi(const std::string& field, TCsvEncoding encoding);

// One field as written: quoted when it holds the delimiter, a quote, a line break or
// blanks at either end (which a spreadsheet would otherwise drop).
std::string CsvField(std::string_view text, char delimiter);

}  // namespace items
