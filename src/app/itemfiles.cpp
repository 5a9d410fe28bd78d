#include "app/itemfiles.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include "base/datadir.h"
#include "controls/qtext.h"
#include "items/labelbatch.h"
#include "items/shoptables.h"
#include "items/windows/frminput.h"

namespace app {
namespace {

constexpr char kFilter[] = "CSV files (*.csv);;All files (*)";

std::string ChooseWithDialog(bool forSaving) {
  QFileDialog dialog(nullptr, forSaving ? "Export Items" : "Import Items", QString(), kFilter);
  dialog.setObjectName(forSaving ? "ExportDialog" : "ImportDialog");
  dialog.setAcceptMode(forSaving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(forSaving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setDefaultSuffix("csv");
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst().toStdString();
}

TImportChoice AskWithMessageBox(const items::TItemImport& import) {
  QMessageBox box(QMessageBox::Question, "Import Items", controls::ToQString(import.Summary()));
  box.setObjectName("ImportSummary");
  std::string details;
  for (const std::string& line : import.Report()) details += line + "\n";
  box.setDetailedText(controls::ToQString(details));
  QPushButton* update = nullptr;
  QPushButton* keep = nullptr;
  if (import.ChangedCount() > 0) {
    box.setInformativeText("Update the items whose barcodes exist already, or keep them as they are?");
    update = box.addButton("&Update existing", QMessageBox::AcceptRole);
    keep = box.addButton("&Keep existing", QMessageBox::AcceptRole);
  } else {
    update = box.addButton("&Import", QMessageBox::AcceptRole);
  }
  box.addButton(QMessageBox::Cancel);
  box.setDefaultButton(update);
  box.exec();
  if (box.clickedButton() == update) return TImportChoice::Update;
  if (keep && box.clickedButton() == keep) return TImportChoice::Keep;
  return TImportChoice::Cancel;
}

TFileChooser& Chooser() {
  static TFileChooser chooser = ChooseWithDialog;
  return chooser;
}

TImportQuestion& Question() {
  static TImportQuestion question = AskWithMessageBox;
  return question;
}

// The open item window reads its rows again, unless the operator is editing one.
void RefreshItemWindow() {
  items::Tfrminput* window = items::frminput;
  if (!window || !window->tblbarmas.Active() || tables::IsEditingState(window->tblbarmas.State())) return;
  window->tblbarmas.Refresh();
}

}  // namespace

void SetItemFileDialogs(TFileChooser chooser, TImportQuestion question) {
  Chooser() = chooser ? std::move(chooser) : ChooseWithDialog;
  Question() = question ? std::move(question) : AskWithMessageBox;
}

void ImportItems(QWidget*) {
  const std::string path = Chooser()(false);
  if (path.empty()) return;
  tables::TTable table;
  items::OpenItemTable(table, platform::DataDirectory());
  items::TItemImport import(path, table);
  const TImportChoice choice = Question()(import);
  if (choice == TImportChoice::Cancel) return;
  import.Apply(choice == TImportChoice::Update);
  RefreshItemWindow();
}

void ExportItems(QWidget*) {
  const std::string path = Chooser()(true);
  if (path.empty()) return;
  tables::TTable table;
  items::OpenItemTable(table, platform::DataDirectory());
  std::vector<std::vector<tables::TVariant>> rows;
  const auto selected = items::frminput ? items::frminput->DBGrid1->SelectedBookmarks()
                                        : std::vector<tables::TTable::TBookmark>{};
  if (selected.size() > 1) {
    for (const auto bookmark : selected) {
      table.GotoBookmark(bookmark);
      std::vector<tables::TVariant> row;
      for (int f = 0; f < table.FieldCount(); ++f) row.push_back(table.Fields(f).Value());
      rows.push_back(std::move(row));
    }
  } else {
    table.SetIndexFieldNames(items::barmas::FBarcode);
    rows = items::AllItemRows(table);
  }
  items::WriteTextFile(path, items::ItemCsvText(rows));
}

}  // namespace app
