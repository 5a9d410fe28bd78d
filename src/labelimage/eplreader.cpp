#include "labelimage/eplreader.h"

#include <cctype>
#include <string_view>

namespace labelimage {
namespace {

struct TEplState {
  TLabel Label;
  int ReferenceX = 0;
  int ReferenceY = 0;
};

struct TFontCell {
  int Width;
  int Height;
};

// The five resident fonts' character cells in dots (EPL2 Programmer's Manual, A
// command: 203 dpi and 300 dpi printers); 600 dpi draws the 300 dpi cells doubled.
constexpr TFontCell kFonts203[] = {{8, 12}, {10, 16}, {12, 20}, {14, 24}, {32, 48}};
constexpr TFontCell kFonts300[] = {{12, 20}, {16, 28}, {20, 36}, {24, 44}, {48, 80}};

TFontCell FontCell(int font, int dpi) {
  if (font < 1 || font > 5) RefuseCommand("A with the font " + std::to_string(font));
  if (dpi <= 203) return kFonts203[font - 1];
  const TFontCell cell = kFonts300[font - 1];
  return dpi >= 600 ? TFontCell{cell.Width * 2, cell.Height * 2} : cell;
}

// The quoted data that ends a field command, with \" and \\ read back.
std::string QuotedData(const std::string& line) {
  const size_t open = line.find('"');
  std::string data;
  if (open == std::string::npos) return data;
  for (size_t i = open + 1; i < line.size() && line[i] != '"'; ++i) {
    if (line[i] == '\\' && i + 1 < line.size()) ++i;
    data += line[i];
  }
  return data;
}

// The parameters before the quoted data.
std::vector<std::string> FieldParameters(const std::string& parameters) {
  return SplitParameters(parameters.substr(0, parameters.find('"')));
}

void RefuseRotation(const std::string& command, const std::string& rotation) {
  if (rotation != "0") RefuseCommand(command + " rotated by " + rotation);
}

void Text(TEplState& s, const std::string& p) {
  const auto q = FieldParameters(p);
  if (q.size() < 7) RefuseCommand("A without its parameters");
  RefuseRotation("A", q[2]);
  if (q[6] != "N") RefuseCommand("A in reverse");
  const TFontCell cell = FontCell(IntParameter(q[3], 0), s.Label.Dpi);
  const int across = IntParameter(q[4], 1);
  const int down = IntParameter(q[5], 1);
  s.Label.Texts.push_back({s.ReferenceX + IntParameter(q[0], 0), s.ReferenceY + IntParameter(q[1], 0),
                           cell.Height * down, cell.Width * across, QuotedData(p)});
}

void Barcode(TEplState& s, const std::string& p) {
  const auto q = FieldParameters(p);
  if (q.size() < 8) RefuseCommand("B without its parameters");
  RefuseRotation("B", q[2]);
  if (q[3] != "E30") RefuseCommand("B with the symbol " + q[3]);
  s.Label.Barcodes.push_back({s.ReferenceX + IntParameter(q[0], 0), s.ReferenceY + IntParameter(q[1], 0),
                              IntParameter(q[4], 2), IntParameter(q[6], 0), q[7] == "B", QuotedData(p)});
}

struct TEplCommand {
  std::string_view Name;
  void (*Read)(TEplState& state, const std::string& parameters);
};

void Nothing(TEplState&, const std::string&) {}

const TEplCommand kCommands[] = {
    {"US", Nothing},  // status reporting: nothing on the label
    {"N", Nothing},   // a clear image buffer is where the preview starts anyway
    {"JB", Nothing},  // no backup after printing
    {"ZT", Nothing},  // printed from the top: the picture is as the job lays it out
    {"S", Nothing},   // speed
    {"I", Nothing},   // the code page: text is held as the job's Windows-1252 bytes
    {"Q", [](TEplState& s, const std::string& p) {
       const auto q = SplitParameters(p);
       s.Label.Length = IntParameter(q[0], s.Label.Length);
       if (q.size() > 1) s.Label.Gap = IntParameter(q[1], s.Label.Gap);
     }},
    {"q", [](TEplState& s, const std::string& p) { s.Label.Width = IntParameter(p, s.Label.Width); }},
    {"D", [](TEplState& s, const std::string& p) { s.Label.Darkness = IntParameter(p, 0); }},
    {"R", [](TEplState& s, const std::string& p) {
       const auto q = SplitParameters(p);
       s.ReferenceX = IntParameter(q[0], 0);
       s.ReferenceY = q.size() > 1 ? IntParameter(q[1], 0) : 0;
     }},
    {"A", Text},
    {"B", Barcode},
    {"P", [](TEplState& s, const std::string& p) { s.Label.Quantity = IntParameter(SplitParameters(p)[0], 1); }},
};

// Two letters where the line starts with two ("US", "ZT", "LO"), else one ("Q203,24").
std::string CommandName(const std::string& line) {
  const auto letter = [&](size_t i) { return i < line.size() && std::isalpha(static_cast<unsigned char>(line[i])); };
  if (!letter(0)) return line.substr(0, 1);
  return line.substr(0, letter(1) ? 2 : 1);
}

}  // namespace

TLabel ReadEplJob(const std::vector<std::string>& lines, int dpi) {
  TEplState state;
  state.Label.Dpi = dpi;
  state.Label.Width = MillimetresToDots(kDefaultWidthMm, dpi);
  state.Label.Length = MillimetresToDots(kDefaultLengthMm, dpi);
  state.Label.Gap = MillimetresToDots(kDefaultGapMm, dpi);
  for (const std::string& line : lines) {
    if (line.empty()) continue;  // an empty line carries no command
    const std::string name = CommandName(line);
    const TEplCommand* known = nullptr;
    for (const TEplCommand& entry : kCommands)
      if (entry.Name == name) known = &entry;
    if (!known) RefuseCommand(name);
    known->Read(state, line.substr(name.size()));
  }
  return state.Label;
}

}  // namespace labelimage
