#include "items/jobtemplates.h"

#include "items/labeljob.h"

namespace items {
namespace {

using V = TLabelValue;

// ZPL: a field holding "^" or "~" would start a command. With "^FH" before "^FD"
// the field takes hexadecimal escapes introduced by "_", so those three characters
// are written as "_5E", "_7E" and "_5F". Other fields stay byte for byte as they were.
std::string EscapeZpl(const TJobLine& line, const std::string& value) {
  std::string before(line.Before);
  if (value.find_first_of("^~") == std::string::npos) return before + value + std::string(line.After);
  size_t fieldData = before.rfind("^FD");
  if (fieldData != std::string::npos) before.insert(fieldData, "^FH");
  std::string escaped;
  for (char c : value) {
    if (c == '^')
      escaped += "_5E";
    else if (c == '~')
      escaped += "_7E";
    else if (c == '_')
      escaped += "_5F";
    else
      escaped += c;
  }
  return before + escaped + std::string(line.After);
}

// EPL: inside quoted data a double quote and a backslash are written as \" and \\.
std::string EscapeEpl(const TJobLine& line, const std::string& value) {
  bool quoted = !line.Before.empty() && line.Before.back() == '"';
  std::string escaped;
  for (char c : value) {
    if (quoted && (c == '"' || c == '\\')) escaped += '\\';
    escaped += c;
  }
  return std::string(line.Before) + escaped + std::string(line.After);
}

const TJobLanguage kZpl{
    "Z",
    {
        {"^XA"},
        {"^XB"},
        {"^LH0,03"},
        {"^BY1.0,10,,^FO15,84^AP,22,N,N,N^FD", V::Name, "^FS"},
        {"^BY2,3.0,2,^FO50,160^AP^BEN,70,Y,N^FD", V::Barcode, "^FS"},
        {"^BY1.0,10,,^FO42,122^AP,30,N,N,N^FDDhs.", V::Price, "^FS", true},
        {"^PQ", V::Quantity},
        {"^XZ"},
    },
    EscapeZpl};

const TJobLanguage kEpl{
    "E",
    {
        {"US"},
        {"N"},
        {"JB"},
        {"Q203,24"},
        {"q254"},
        {"D6"},
        {"S4"},
        {"ZT"},
        {"A30,30,0,2,1,1,N,\"", V::Name, "\""},
        {"B30,60,0,E30,2,3,75,B,\"", V::Barcode, "\""},
        {"A40,160,0,4,1,1,N,\"Dhs.\"", V::None, "", true},
        {"A100,160,0,4,1,1,N,\"", V::Price, "\"", true},
        {"P", V::Quantity},
    },
    EscapeEpl};

const std::string& ValueOf(TLabelValue value, const TLabelValues& values) {
  static const std::string none;
  switch (value) {
    case V::Name:
      return values.Name;
    case V::Barcode:
      return values.Barcode;
    case V::Price:
      return values.Price;
    case V::Quantity:
      return values.Quantity;
    case V::None:
      break;
  }
  return none;
}

}  // namespace

const TJobLanguage* FindJobLanguage(const std::string& printerType) {
  for (const TJobLanguage* language : {&kZpl, &kEpl})
    if (language->PrinterType == printerType) return language;
  return nullptr;
}

std::string ComposeLine(const TJobLanguage& language, const TJobLine& line, const TLabelValues& values) {
  return language.Escape(line, ValueOf(line.Value, values));
}

}  // namespace items
