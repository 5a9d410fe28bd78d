#include "items/jobtemplates.h"

#include "items/labeljob.h"
#include "items/shoptables.h"

namespace items {
namespace {

using V = TLabelValue;
using W = TSentWhen;

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

// Where the code page line goes: before the first field that carries a value, after
// the set-up lines, so that every field of the label is read in it and the lines of
// a plain ASCII job stay as they were.
//
// ZPL: "^CI27" selects Zebra Code Page 1252 (ZPL II Programming Guide, ^CI Change
// International Font/Encoding, value 27). It is a format command, so it stands
// inside ^XA ... ^XZ, and it governs the fields that follow it.
const TJobLanguage kZpl{
    "Z",
    {
        {"^XA"},
        {"^XB"},
        {kZplHome},
        {"^CI27", V::None, "", W::TextBeyondAscii},
        {"^BY1.0,10,,^FO15,84^AP,22,N,N,N^FD", V::Name, "^FS"},
        {"^BY2,3.0,2,^FO50,160^AP^BEN,70,Y,N^FD", V::Barcode, "^FS"},
        {"^BY1.0,10,,^FO42,122^AP,30,N,N,N^FDDhs.", V::Price, "^FS", W::PriceAboveZero},
        {"^PQ", V::Quantity},
        {"^XZ"},
    },
    EscapeZpl,
    CalibrateZpl};

// EPL: "I8,A,001" selects the character set (EPL2 Programmer's Manual, I Command -
// Character Set Selection): 8 data bits, code page A = Windows 1252 Latin 1,
// country code 001 (USA). The text fields that follow are printed in it.
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
        {"I8,A,001", V::None, "", W::TextBeyondAscii},
        {"A30,30,0,2,1,1,N,\"", V::Name, "\""},
        {"B30,60,0,E30,2,3,75,B,\"", V::Barcode, "\""},
        {"A40,160,0,4,1,1,N,\"Dhs.\"", V::None, "", W::PriceAboveZero},
        {"A100,160,0,4,1,1,N,\"", V::Price, "\"", W::PriceAboveZero},
        {"P", V::Quantity},
    },
    EscapeEpl,
    CalibrateEpl};

}  // namespace

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

const char* FieldOf(TLabelValue value) {
  switch (value) {
    case V::Name:
      return barmas::FName;
    case V::Barcode:
      return barmas::FBarcode;
    case V::Price:
      return barmas::FSP;
    case V::Quantity:
      return barmas::FBarQty;
    case V::None:
      break;
  }
  return "";
}

const TJobLanguage* FindJobLanguage(const std::string& printerType) {
  for (const TJobLanguage* language : {&kZpl, &kEpl})
    if (language->PrinterType == printerType) return language;
  return nullptr;
}

std::string ComposeLine(const TJobLanguage& language, const TJobLine& line, const TLabelValues& values) {
  return language.Escape(line, ValueOf(line.Value, values));
}

}  // namespace items
