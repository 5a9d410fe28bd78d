// The commands of the preview window, the tool bar that offers them (in its order, with
// hints and glyph numbers) and the keys that reach them through the window's key filter.
#pragma once

#include <QKeyEvent>
#include <optional>
#include <span>

namespace reports {

enum TPreviewCommand {
  pcZoomFit, pcZoom100, pcZoomWidth, pcFirstPage, pcPreviousPage, pcNextPage, pcLastPage,
  pcPrintSetup, pcPrint, pcSave, pcLoad, pcClose
};

enum TToolKind { tkDivider, tkZoom, tkButton, tkText };

struct TToolButtonRow {
  const char* Name;
  TToolKind Kind;
  const char* Hint;  // empty for dividers; the caption of a text button
  int Glyph;         // -1: none
  TPreviewCommand Command;
};

std::span<const TToolButtonRow> PreviewToolBar();

// The command of a key press, if any: Ctrl held alone turns Page Up and Page Down into
// first and last page; any other modifier with them leaves the plain meaning.
std::optional<TPreviewCommand> PreviewKeyCommand(int key, Qt::KeyboardModifiers modifiers);

}  // namespace reports
