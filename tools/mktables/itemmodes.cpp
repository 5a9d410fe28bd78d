#include "itemmodes.h"

#include <algorithm>
#include <exception>
#include <iostream>

#include "itemcopy.h"
#include "items/itemtransfer.h"

namespace {

constexpr int kUsageError = 2;
constexpr char kImportUsage[] = "import DIR FILE.csv [--skip-refused] [--keep-existing]";
constexpr char kExportUsage[] = "export DIR FILE.csv";
constexpr char kCopyUsage[] = "copy FROM TO [--replace]";

int Usage(const char* usage) {
  std::cerr << "Usage: mktables " << usage << "\n";
  return kUsageError;
}

int Import(const std::vector<std::string>& arguments) {
  std::vector<std::string> paths;
  bool skipRefused = false;
  bool keepExisting = false;
  for (const std::string& argument : arguments) {
    if (argument == "--skip-refused")
      skipRefused = true;
    else if (argument == "--keep-existing")
      keepExisting = true;
    else if (argument.starts_with("--"))
      return Usage(kImportUsage);
    else
      paths.push_back(argument);
  }
  if (paths.size() != 2) return Usage(kImportUsage);
  const items::TItemDatabase database(paths[0]);
  tables::TTable items;
  items::OpenItemTable(items, database.Name());
  items::TItemImport import(paths[1], items);
  for (const std::string& line : import.Report()) std::cout << line << "\n";
  if (import.RefusedCount() > 0 && !skipRefused) {
    std::cout << "Nothing was imported: a line was refused (--skip-refused imports the others)\n";
    return 1;
  }
  import.Apply(!keepExisting);
  return 0;
}

int Export(const std::vector<std::string>& arguments) {
  if (arguments.size() != 2 || arguments[0].starts_with("--") || arguments[1].starts_with("--"))
    return Usage(kExportUsage);
  const items::TItemDatabase database(arguments[0]);
  tables::TTable items;
  items::OpenItemTable(items, database.Name());
  items.SetIndexFieldNames(items::barmas::FBarcode);
  items::WriteTextFile(arguments[1], items::ItemCsvText(items::AllItemRows(items)));
  return 0;
}

int Copy(const std::vector<std::string>& arguments) {
  std::vector<std::string> paths;
  bool replace = false;
  for (const std::string& argument : arguments) {
    if (argument == "--replace")
      replace = true;
    else if (argument.starts_with("--"))
      return Usage(kCopyUsage);
    else
      paths.push_back(argument);
  }
  if (paths.size() != 2) return Usage(kCopyUsage);
  const int copied = CopyItems(paths[0], paths[1], replace);
  std::cout << "Copied " << copied << " items\n";
  return 0;
}

// Every failure of a mode is its message on standard error and status 1.
template <int (*Mode)(const std::vector<std::string>&)>
int Guarded(const std::vector<std::string>& arguments) {
  try {
    return Mode(arguments);
  } catch (const std::exception& error) {
    std::cerr << "mktables: " << error.what() << "\n";
    return 1;
  }
}

constexpr TToolMode kModes[] = {
    {"import", kImportUsage, Guarded<Import>},
    {"export", kExportUsage, Guarded<Export>},
    {"copy", kCopyUsage, Guarded<Copy>},
};

}  // namespace

std::span<const TToolMode> ItemTransferModes() { return kModes; }
