#include "reports/previewcommands.h"

#include <array>

namespace reports {
namespace {

constexpr std::array<TToolButtonRow, 17> kToolBar{{
    {"ToolButton1", tkDivider, "", -1, pcClose},
    {"ZoomFit", tkZoom, "Zoom to fit", 0, pcZoomFit},
    {"Zoom100", tkZoom, "100%", 1, pcZoom100},
    {"ZoomToWidth", tkZoom, "Zoom to width", 2, pcZoomWidth},
    {"Separator1", tkDivider, "", -1, pcClose},
    {"FirstPage", tkButton, "First page", 3, pcFirstPage},
    {"PreviousPage", tkButton, "Previous page", 4, pcPreviousPage},
    {"ToolButton2", tkButton, "Next page", 5, pcNextPage},
    {"LastPage", tkButton, "Last page", 6, pcLastPage},
    {"Separator2", tkDivider, "", -1, pcClose},
    {"PrintSetup", tkButton, "Printer setup", 7, pcPrintSetup},
    {"Print", tkButton, "Print", 8, pcPrint},
    {"Separator3", tkDivider, "", -1, pcClose},
    {"SaveReport", tkButton, "Save Report", 10, pcSave},
    {"LoadReport", tkButton, "Load Report", 9, pcLoad},
    {"Separator4", tkDivider, "", -1, pcClose},
    {"ExitButton", tkText, "&Close", -1, pcClose},
}};

struct TKeyRow {
  int Key;
  TPreviewCommand Plain;
  TPreviewCommand WithCtrl;
};

constexpr std::array<TKeyRow, 4> kKeys{{
    {Qt::Key_PageUp, pcPreviousPage, pcFirstPage},
    {Qt::Key_PageDown, pcNextPage, pcLastPage},
    {Qt::Key_Home, pcFirstPage, pcFirstPage},
    {Qt::Key_End, pcLastPage, pcLastPage},
}};

}  // namespace

std::span<const TToolButtonRow> PreviewToolBar() { return kToolBar; }

std::optional<TPreviewCommand> PreviewKeyCommand(int key, Qt::KeyboardModifiers modifiers) {
  // The keypad's own flag says where the key is, not that a modifier is held.
  const bool ctrlAlone = (modifiers & ~Qt::KeypadModifier) == Qt::ControlModifier;
  for (const TKeyRow& row : kKeys)
    if (row.Key == key) return ctrlAlone ? row.WithCtrl : row.Plain;
  return std::nullopt;
}

}  // namespace reports
