#include "reports/papers.h"

#include <array>
#include <stdexcept>
#include <utility>

#include "reports/position.h"

namespace reports {
namespace {

// The Windows DMPAPER codes 1 to 26 and their sizes (wingdi.h); Custom is DMPAPER_USER.
constexpr std::array<TPaperRow, 28> kPapers{{
    {Default, "Default", 0, 0, 0},
    {Letter, "Letter", 215.9, 279.4, 1},
    {LetterSmall, "LetterSmall", 215.9, 279.4, 2},
    {Tabloid, "Tabloid", 279.4, 431.8, 3},
    {Ledger, "Ledger", 431.8, 279.4, 4},
    {Legal, "Legal", 215.9, 355.6, 5},
    {Statement, "Statement", 139.7, 215.9, 6},
    {Executive, "Executive", 190.5, 254.0, 7},
    {A3, "A3", 297, 420, 8},
    {A4, "A4", 210, 297, 9},
    {A4Small, "A4Small", 210, 297, 10},
    {A5, "A5", 148, 210, 11},
    {B4, "B4", 250, 354, 12},
    {B5, "B5", 182, 257, 13},
    {Folio, "Folio", 215.9, 330.2, 14},
    {Quarto, "Quarto", 215, 275, 15},
    {p10X14, "p10X14", 254.0, 355.6, 16},
    {p11X17, "p11X17", 279.4, 431.8, 17},
    {Note, "Note", 215.9, 279.0, 18},
    {Env9, "Env9", 98.43, 225.4, 19},
    {Env10, "Env10", 104.8, 241.3, 20},
    {Env11, "Env11", 114.3, 263.5, 21},
    {Env12, "Env12", 101.6, 279.4, 22},
    {Env14, "Env14", 127.0, 292.1, 23},
    {CSheet, "CSheet", 100, 100, 24},
    {DSheet, "DSheet", 100, 100, 25},
    {ESheet, "ESheet", 100, 100, 26},
    {Custom, "Custom", 0, 0, 256},
}};

constexpr bool InCodeOrder() {
  for (size_t i = 0; i < kPapers.size(); ++i)
    if (kPapers[i].Size != i) return false;
  return true;
}
static_assert(InCodeOrder(), "the paper table is indexed by its code");

}  // namespace

std::span<const TPaperRow> PaperTable() { return kPapers; }

const TPaperRow& PaperRow(TRepPaperSize size) {
  if (size >= kPapers.size()) throw std::out_of_range("unknown paper size code");
  return kPapers[size];
}

TRepPaper OrientedPaper(const TPaperRow& row, TRepOrientation orientation) {
  TRepPaper paper{row.WidthMM * TenthsMMPerMM, row.LengthMM * TenthsMMPerMM};
  if (orientation == poLandscape) std::swap(paper.Width, paper.Length);
  return paper;
}

}  // namespace reports
