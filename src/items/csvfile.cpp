#include "items/csvfile.h"

#include <cerrno>

#include "base/ansi.h"
#include "base/inputfile.h"
#include "base/ioerror.h"

namespace items {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Well-formed UTF-8 in the strict sense: no overlong forms, surrogates or values past U+10FFFF.
bool IsUtf8(std::string_view bytes) {
  size_t i = 0;
  while (i < bytes.size()) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    size_t length = lead < 0x80 ? 1 : lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3
                                    : lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
    if (length == 0 || i + length > bytes.size()) return false;
    for (size_t k = 1; k < length; ++k)
      if (!IsContinuation(static_cast<unsigned char>(bytes[i + k]))) return false;
    const auto second = static_cast<unsigned char>(length > 1 ? bytes[i + 1] : 0);
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) || (lead == 0xF0 && second < 0x90) ||
        (lead == 0xF4 && second > 0x8F))
      return false;
    i += length;
  }
  return true;
}

// The delimiter the header row uses more, outside quotes; a comma when neither.
char DetectDelimiter(std::string_view bytes) {
  int commas = 0;
  int semicolons = 0;
  bool quoted = false;
  for (char c : bytes) {
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    if (c == '\n' || c == '\r') break;
    commas += c == ',';
    semicolons += c == ';';
  }
  return semicolons > commas ? ';' : ',';
}

class TCsvParser {
 public:
  TCsvParser(std::string_view bytes, char delimiter) : FBytes(bytes), FDelimiter(delimiter) {}

  std::vector<TCsvRecord> Records() {
    std::vector<TCsvRecord> records;
    while (FPos < FBytes.size()) {
      TCsvRecord record{FLine, {}};
      const bool ended = ReadRecord(record.Fields);
      const bool blank = record.Fields.size() == 1 && record.Fields[0].empty();
      if (!ended && !records.empty() && record.Fields.size() < records.front().Fields.size()) {
        throw ECsvFileError(record.Line, "the file ends in the middle of this row; it was cut off");
      }
      if (!blank) records.push_back(std::move(record));
    }
    return records;
  }

 private:
  // Reads one record; false when the bytes ended before its line end.
  bool ReadRecord(std::vector<std::string>& fields) {
    const int start = FLine;
    std::string field;
    bool quoted = false;
    bool fieldStarted = false;
    while (FPos < FBytes.size()) {
      const char c = FBytes[FPos++];
      if (quoted) {
        if (c == '"' && Peek() == '"') {
          field += '"';
          ++FPos;
        } else if (c == '"') {
          quoted = false;
        } else {
          CountLineBreak(c);
          field += c;
        }
        continue;
      }
      if (c == '"' && !fieldStarted) {
        quoted = fieldStarted = true;
      } else if (c == FDelimiter) {
        fields.push_back(std::move(field));
        field.clear();
        fieldStarted = false;
      } else if (c == '\n' || c == '\r') {
        CountLineBreak(c);
        fields.push_back(std::move(field));
        return true;
      } else {
        field += c;
        fieldStarted = true;
      }
    }
    if (quoted) throw ECsvFileError(start, "the file ends inside a quoted field; it was cut off");
    fields.push_back(std::move(field));
    return false;
  }

  char Peek() const { return FPos < FBytes.size() ? FBytes[FPos] : '\0'; }

  // CR LF is one line break; a lone CR or LF is one too.
  void CountLineBreak(char c) {
    if (c == '\n') ++FLine;
    if (c != '\r') return;
    ++FLine;
    if (Peek() == '\n') {
      ++FPos;
    }
  }

  std::string_view FBytes;
  char FDelimiter;
  size_t FPos = 0;
  int FLine = 1;
};

}  // namespace

ECsvFileError::ECsvFileError(int line, const std::string& reason)
    : std::runtime_error("line " + std::to_string(line) + ": " + reason), FLine(line) {}

TCsvFile ParseCsv(std::string_view bytes) {
  TCsvFile file;
  if (bytes.starts_with(kByteOrderMark)) {
    bytes.remove_prefix(kByteOrderMark.size());
  } else if (!IsUtf8(bytes)) {
    file.Encoding = TCsvEncoding::Windows1252;
  }
  file.Delimiter = DetectDelimiter(bytes);
  file.Records = TCsvParser(bytes, file.Delimiter).Records();
  return file;
}

TCsvFile ReadCsvFile(const std::string& path) {
  platform::TInputFile input(path);
  if (!input.IsOpen()) throw platform::EInOutError(input.Error());
  const std::vector<uint8_t> bytes = input.Read(platform::MaxPictureFileBytes);
  if (bytes.size() > platform::MaxPictureFileBytes) throw platform::EInOutError(EFBIG);
  return ParseCsv(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

std::string FieldToAnsi(const std::string& field, TCsvEncoding encoding) {
  if (encoding == TCsvEncoding::Utf8) return platform::Utf8ToAnsi(field);
  for (size_t i = 0; i < field.size(); ++i) {
    const auto byte = static_cast<unsigned char>(field[i]);
    if (!platform::IsAnsiCharacter(byte)) {
      throw platform::EAnsiConversion(platform::EAnsiConversion::TReason::UnassignedByte, byte, i);
    }
  }
  return field;
}

std::string CsvField(std::string_view text, char delimiter) {
  const bool needsQuotes = text.find_first_of(std::string{delimiter, '"', '\r', '\n'}) != std::string_view::npos ||
                           (!text.empty() && (text.front() == ' ' || text.back() == ' '));
  if (!needsQuotes) return std::string(text);
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

}  // namespace items
