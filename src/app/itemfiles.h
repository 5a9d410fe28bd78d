// The File menu's item import and export on the program's item master: the file chosen
// in a file dialog; before an import writes anything, the operator sees its summary with
// every listed line and chooses whether existing barcodes are updated or kept. An open
// item window shows the result at once. Both dialogs are replaceable, so tests answer them.
#pragma once

#include <functional>
#include <string>

#include "items/itemtransfer.h"

class QWidget;

namespace app {

enum class TImportChoice { Cancel, Update, Keep };
using TImportQuestion = std::function<TImportChoice(const items::TItemImport& import)>;
// The file the operator chose, empty when cancelled; forSaving for an export.
using TFileChooser = std::function<std::string(bool forSaving)>;

// Empty handlers restore the dialogs.
void SetItemFileDialogs(TFileChooser chooser, TImportQuestion question);

void ImportItems(QWidget* owner);
// Exports the item window's selection when it has several rows selected, else every item.
void ExportItems(QWidget* owner);

}  // namespace app
