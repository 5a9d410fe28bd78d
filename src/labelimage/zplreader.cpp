#include "labelimage/zplreader.h"

#include <cctype>
#include <string_view>

namespace labelimage {
namespace {

// What the commands read so far have set (ZPL II Programming Guide, each command's
// defaults: ^BY 2,3.0,10, ^FH with "_", home at 0,0).
struct TZplState {
  TLabel Label;
  int HomeX = 0;
  int HomeY = 0;
  int Shift = 0;  // ^LS: moves every field left
  int Top = 0;    // ^LT: moves every field down
  int ModuleWidth = 2;
  int BarHeight = 10;
  int OriginX = 0;
  int OriginY = 0;
  int FontHeight = 9;
  int FontWidth = 0;
  bool Barcode = false;
  int BarcodeHeight = 10;
  bool HumanReadable = true;
  bool Hex = false;
  char HexIndicator = '_';
  bool HasData = false;
  std::string Data;
};

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
}

// Field data with ^FH: the indicator followed by two hexadecimal digits is that byte.
std::string DecodeHex(const std::string& data, char indicator) {
  std::string bytes;
  for (size_t i = 0; i < data.size(); ++i) {
    if (data[i] == indicator && i + 2 < data.size() && HexDigit(data[i + 1]) >= 0 && HexDigit(data[i + 2]) >= 0) {
      bytes += static_cast<char>(HexDigit(data[i + 1]) * 16 + HexDigit(data[i + 2]));
      i += 2;
    } else {
      bytes += data[i];
    }
  }
  return bytes;
}

void RefuseRotation(const std::string& command, const std::string& orientation) {
  if (!orientation.empty() && orientation != "N") RefuseCommand(command + orientation);
}

void FieldSeparator(TZplState& s) {
  const int x = s.HomeX + s.OriginX - s.Shift;
  const int y = s.HomeY + s.OriginY + s.Top;
  const std::string data = s.Hex ? DecodeHex(s.Data, s.HexIndicator) : s.Data;
  if (s.Barcode) {
    s.Label.Barcodes.push_back({x, y, s.ModuleWidth, s.BarcodeHeight, s.HumanReadable, data});
  } else if (s.HasData) {
    s.Label.Texts.push_back({x, y, s.FontHeight, s.FontWidth, data});
  }
  s.Barcode = false;
  s.Hex = false;
  s.HasData = false;
  s.Data.clear();
}

void Font(TZplState& s, const std::string& p) {
  // ^Afo,h,w: the font name, then the orientation without a comma before it.
  std::string rest = p.empty() ? p : p.substr(1);
  if (!rest.empty() && rest[0] != ',') {
    RefuseRotation("^A", rest.substr(0, 1));
    rest = rest.substr(1);
  }
  if (rest.empty()) return;
  const auto parameters = SplitParameters(rest.substr(1));
  s.FontHeight = IntParameter(parameters[0], s.FontHeight);
  s.FontWidth = parameters.size() > 1 ? IntParameter(parameters[1], 0) : 0;
}

void BarcodeEan13(TZplState& s, const std::string& p) {
  const auto parameters = SplitParameters(p);
  RefuseRotation("^BE", parameters[0]);
  s.Barcode = true;
  s.BarcodeHeight = parameters.size() > 1 ? IntParameter(parameters[1], s.BarHeight) : s.BarHeight;
  s.HumanReadable = parameters.size() < 3 || parameters[2] != "N";
  if (parameters.size() > 3 && parameters[3] == "Y") RefuseCommand("^BE with its line above the code");
}

void BarDefaults(TZplState& s, const std::string& p) {
  const auto parameters = SplitParameters(p);
  s.ModuleWidth = IntParameter(parameters[0], s.ModuleWidth);
  if (parameters.size() > 2) s.BarHeight = IntParameter(parameters[2], s.BarHeight);
}

void TwoNumbers(const std::string& p, int& first, int& second) {
  const auto parameters = SplitParameters(p);
  first = IntParameter(parameters[0], first);
  if (parameters.size() > 1) second = IntParameter(parameters[1], second);
}

struct TZplCommand {
  std::string_view Name;
  void (*Read)(TZplState& state, const std::string& parameters);
};

void Nothing(TZplState&, const std::string&) {}

const TZplCommand kCommands[] = {
    {"^XA", Nothing},
    {"^XB", Nothing},  // no backfeed after the label: the picture is the same
    {"^XZ", Nothing},
    {"^CI", Nothing},  // the code page: field text is held as the job's Windows-1252 bytes
    {"^LH", [](TZplState& s, const std::string& p) { TwoNumbers(p, s.HomeX, s.HomeY); }},
    {"^LS", [](TZplState& s, const std::string& p) { s.Shift = IntParameter(p, 0); }},
    {"^LT", [](TZplState& s, const std::string& p) { s.Top = IntParameter(p, 0); }},
    {"^PW", [](TZplState& s, const std::string& p) { s.Label.Width = IntParameter(p, s.Label.Width); }},
    {"^LL", [](TZplState& s, const std::string& p) { s.Label.Length = IntParameter(p, s.Label.Length); }},
    {"~SD", [](TZplState& s, const std::string& p) { s.Label.Darkness = IntParameter(p, 0); }},
    {"^PQ", [](TZplState& s, const std::string& p) { s.Label.Quantity = IntParameter(SplitParameters(p)[0], 1); }},
    {"^BY", BarDefaults},
    {"^FO", [](TZplState& s, const std::string& p) { TwoNumbers(p, s.OriginX, s.OriginY); }},
    {"^A", Font},
    {"^BE", BarcodeEan13},
    {"^FH", [](TZplState& s, const std::string& p) {
       s.Hex = true;
       s.HexIndicator = p.empty() ? '_' : p[0];
     }},
    {"^FD", [](TZplState& s, const std::string& p) {
       s.HasData = true;
       s.Data = p;
     }},
    {"^FS", [](TZplState& s, const std::string&) { FieldSeparator(s); }},
};

// "^A" alone names its command with one letter (the next is the font); all others have two.
std::string CommandName(std::string_view text) {
  if (text.size() >= 2 && text[0] == '^' && text[1] == 'A') return "^A";
  return std::string(text.substr(0, 3));
}

}  // namespace

TLabel ReadZplJob(const std::vector<std::string>& lines, int dpi) {
  // Line ends carry no meaning in ZPL: the job is one stream of commands.
  std::string job;
  for (const std::string& line : lines) job += line;
  TZplState state;
  state.Label.Dpi = dpi;
  state.Label.Width = MillimetresToDots(kDefaultWidthMm, dpi);
  state.Label.Length = MillimetresToDots(kDefaultLengthMm, dpi);
  state.Label.Gap = MillimetresToDots(kDefaultGapMm, dpi);
  size_t at = job.find_first_of("^~");
  while (at != std::string::npos) {
    const size_t next = job.find_first_of("^~", at + 1);
    const std::string_view command = std::string_view(job).substr(at, next - at);
    const std::string name = CommandName(command);
    const TZplCommand* known = nullptr;
    for (const TZplCommand& entry : kCommands)
      if (entry.Name == name) known = &entry;
    if (!known) RefuseCommand(name);
    known->Read(state, std::string(command.substr(name.size())));
    at = next;
  }
  return state.Label;
}

}  // namespace labelimage
