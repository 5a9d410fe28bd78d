// The papers a report can ask the printer for: the system's paper codes 1 to 26 with
// their sizes, code 0 (keep the printer's paper) and 27 (a custom size).
#pragma once

#include <cstdint>
#include <span>

namespace reports {

enum TRepPaperSize : uint8_t {
  Default, Letter, LetterSmall, Tabloid, Ledger, Legal, Statement, Executive, A3, A4, A4Small, A5,
  B4, B5, Folio, Quarto, p10X14, p11X17, Note, Env9, Env10, Env11, Env12, Env14, CSheet, DSheet,
  ESheet, Custom
};

enum TRepOrientation : uint8_t { poPortrait, poLandscape };

// The paper the document is produced on, in 0.1 mm, as the destination settled it.
struct TRepPaper {
  double Width = 0;
  double Length = 0;
};

struct TPaperRow {
  TRepPaperSize Size;
  const char* Name;
  double WidthMM;   // 0 for Default and Custom: the size comes from elsewhere
  double LengthMM;
  int SystemCode;   // the code handed to the printer driver
};

// Every paper in code order, Default first and Custom last.
std::span<const TPaperRow> PaperTable();
const TPaperRow& PaperRow(TRepPaperSize size);
// A standard paper's width and length in 0.1 mm, turned for landscape.
TRepPaper OrientedPaper(const TPaperRow& row, TRepOrientation orientation);

}  // namespace reports
