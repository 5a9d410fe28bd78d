#include "app/commandline.h"

#include <charconv>
#include <exception>
#include <iostream>

#include "app/renderlabel.h"
#include "items/globvar.h"
#include "items/itemtransfer.h"
#include "items/labelbatch.h"
#include "items/numbertext.h"
#include "items/shoptables.h"

namespace {

constexpr int kFewestCopies = 1;
constexpr int kMostCopies = 9999;  // four digits, as the item window's quantity

// The label job as the item window sets it up: the configured port and printer type.
void Configure(items::TLabelJob& job, const std::string& dataDirectory) {
  LoadSettings(dataDirectory);
  job.PortText = gPrtport;
  job.DataDirectory = dataDirectory;
}

int ParseCopies(const std::string& text) {
  int copies = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), copies);
  if (error != std::errc() || end != text.data() + text.size() || copies < kFewestCopies || copies > kMostCopies) {
    throw EUsage("--copies takes a number from 1 to 9999, not \"" + text + "\"");
  }
  return copies;
}

int PrintLabel(const std::vector<std::string>& arguments, const std::string& dataDirectory) {
  std::string barcode;
  std::optional<int> copies;
  for (size_t i = 0; i < arguments.size(); ++i) {
    if (arguments[i] == "--copies" && i + 1 < arguments.size() && !copies) {
      copies = ParseCopies(arguments[++i]);
    } else if (barcode.empty() && !arguments[i].starts_with("--")) {
      barcode = arguments[i];
    } else {
      throw EUsage("unexpected argument \"" + arguments[i] + "\"");
    }
  }
  if (barcode.empty()) throw EUsage("no barcode given");
  items::TLabelJob job;
  Configure(job, dataDirectory);
  tables::TTable table;
  items::OpenItemTable(table, dataDirectory);
  items::TLabelValues item = items::FindLabelItem(table, barcode, job.DecimalSeparator);
  if (copies) item.Quantity = std::to_string(*copies);
  items::TLabelBatch(job, {item}, {.Wait = false, .SkipZeroQuantity = false}).SendAll();
  return 0;
}

// The items of a CSV file's barcode column, each with the file's quantity when it has one.
std::vector<items::TLabelValues> ItemsOfSheet(const items::TItemSheet& sheet, tables::TTable& table,
                                              char decimalSeparator) {
  const size_t barcode = items::ItemFieldIndex(items::barmas::FBarcode);
  const size_t quantity = items::ItemFieldIndex(items::barmas::FBarQty);
  std::vector<items::TLabelValues> found;
  for (const items::TSheetRow& row : sheet.Rows) {
    items::TLabelValues item = items::FindLabelItem(table, std::get<std::string>(row.Values[barcode]), decimalSeparator);
    if (const auto* number = std::get_if<double>(&row.Values[quantity])) {
      item.Quantity = items::FormatFixed(*number, 0, decimalSeparator);
    }
    found.push_back(std::move(item));
  }
  return found;
}

int PrintLabels(const std::vector<std::string>& arguments, const std::string& dataDirectory) {
  if (arguments.size() != 1 || arguments[0].starts_with("--")) throw EUsage("one CSV file expected");
  const items::TItemSheet sheet = items::CheckItemSheet(items::ReadCsvFile(arguments[0]));
  if (!sheet.Refused.empty()) {
    for (const std::string& line : sheet.Refused) std::cerr << line << "\n";
    std::cerr << "Nothing was sent: " << sheet.Refused.size() << " lines refused\n";
    return kModeFailed;
  }
  items::TLabelJob job;
  Configure(job, dataDirectory);
  tables::TTable table;
  items::OpenItemTable(table, dataDirectory);
  items::TLabelBatch batch(job, ItemsOfSheet(sheet, table, job.DecimalSeparator), {.Wait = false});
  batch.SendAll();
  std::cout << batch.Summary() << "\n";
  return 0;
}

int Help(const std::vector<std::string>&, const std::string&);

constexpr TCommandMode kModes[] = {
    {"--print-label", "--print-label BARCODE [--copies N]",
     "sends the item's label job to the configured printer at once; N copies instead of its quantity", PrintLabel},
    {"--print-labels", "--print-labels FILE.csv",
     "sends the labels of the file's barcodes as one batch, with the file's quantities where it has them",
     PrintLabels},
    {"--render-label", "--render-label BARCODE FILE.png",
     "draws the label --print-label would send as a PNG at the printer's resolution", RenderLabelMode},
    {"--help", "--help", "lists the command-line modes", Help},
};

void PrintModes(std::ostream& out) {
  out << "Usage: BarcodePrint            starts the program's windows\n";
  for (const TCommandMode& mode : kModes) out << "       BarcodePrint " << mode.Usage << "\n         " << mode.Help << "\n";
  out << "Exit status: 0 done, 1 failed (the message on standard error), 2 usage error.\n";
}

int Help(const std::vector<std::string>&, const std::string&) {
  PrintModes(std::cout);
  return 0;
}

}  // namespace

std::span<const TCommandMode> CommandModes() { return kModes; }

std::optional<int> RunCommandLine(int argc, char** argv, const std::string& dataDirectory) {
  if (argc < 2 || !std::string_view(argv[1]).starts_with("--")) return std::nullopt;
  const std::vector<std::string> arguments(argv + 2, argv + argc);
  for (const TCommandMode& mode : kModes) {
    if (argv[1] != std::string_view(mode.Name)) continue;
    try {
      return mode.Run(arguments, dataDirectory);
    } catch (const EUsage& e) {
      std::cerr << "BarcodePrint: " << e.what() << "\n";
      PrintModes(std::cerr);
      return kModeUsageError;
    } catch (const std::exception& e) {
      std::cerr << e.what() << "\n";
      return kModeFailed;
    }
  }
  std::cerr << "BarcodePrint: unknown option " << argv[1] << "\n";
  PrintModes(std::cerr);
  return kModeUsageError;
}
