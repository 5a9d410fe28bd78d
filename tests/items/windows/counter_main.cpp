// One counter of a shop for the several-counter tests: a program process of its own
// with the item window open (offscreen) on the data directory it is given, driven
// through the window's controls by commands read line by line from standard input.
// Every message the window shows is written as "message TEXT"; the answer to every
// command, and the first answer when the window is open, ends with the line "done".
//   append BARCODE NAME    a new item typed in and saved
//   edit BARCODE NAME      the item's name typed over, not saved
//   post                   Save pressed
//   fields                 what the bound edits show, and whether the row is pending
//   wait-grid BARCODE      waits until the grid shows the item ("shown" or "missing")
//   wait-rows N            waits until the grid has N rows
//   post-many PREFIX N     N new items saved one after another, barcodes PREFIX00...1 on
//   grab FILE              the window as a PNG picture
#include <unistd.h>

#include <QApplication>
#include <QSocketNotifier>
#include <QTest>
#include <functional>
#include <iomanip>
#include <iostream>
#include <map>
#include <sstream>

#include "base/datadir.h"
#include "base/messages.h"
#include "controls/qtext.h"
#include "graphics/qt/qtcanvas.h"
#include "items/shoptables.h"
#include "items/windows/frminput.h"
#include "typing.h"

namespace items {
namespace {

using controls::ToQString;

// Generous: a counter on a loaded test machine still answers well inside it.
constexpr int kWaitMilliseconds = 20000;

class TCounter {
 public:
  explicit TCounter(Tfrminput& window) : W(window) {}

  void Run(const std::string& line) {
    std::istringstream words(line);
    std::string command;
    words >> command;
    const auto found = kCommands.find(command);
    if (found == kCommands.end()) {
      std::cout << "unknown command " << command << "\n";
    } else {
      (this->*found->second)(words);
    }
    std::cout << "done" << std::endl;
  }

 private:
  using TCommand = void (TCounter::*)(std::istream&);
  static const std::map<std::string, TCommand> kCommands;

  static std::string Rest(std::istream& words) {
    std::string rest;
    std::getline(words >> std::ws, rest);
    return rest;
  }

  void Type(std::istream& words) {
    std::string barcode;
    words >> barcode;
    test::EnterBarcode(W, ToQString(barcode));
    test::TypeInto(*W.FieldEdits.front(), ToQString(Rest(words)));  // FName
  }
  void Save() { QTest::mouseClick(W.BitBtn1, Qt::LeftButton); }

  void Append(std::istream& words) {
    Type(words);
    Save();
  }
  void Post(std::istream&) { Save(); }
  void Fields(std::istream&) {
    for (const controls::TDBEdit* edit : W.FieldEdits) {
      std::cout << "field " << edit->dataField().toStdString() << " " << controls::FromQString(edit->text()) << "\n";
    }
    const bool pending = W.DBNavigator1->Button(controls::TNavigateButton::nbPost)->isEnabled();
    std::cout << (pending ? "pending" : "saved") << "\n";
  }

  bool GridShows(const QString& barcode) const {
    const QAbstractItemModel& grid = *W.DBGrid1->model();
    for (int row = 0; row < grid.rowCount(); ++row) {
      if (grid.index(row, 0).data() == barcode) return true;
    }
    return false;
  }
  static void Wait(const std::function<bool()>& condition) {
    std::cout << (QTest::qWaitFor(condition, kWaitMilliseconds) ? "shown" : "missing") << "\n";
  }
  void WaitGrid(std::istream& words) {
    std::string barcode;
    words >> barcode;
    Wait([&] { return GridShows(ToQString(barcode)); });
  }
  void WaitRows(std::istream& words) {
    int rows = 0;
    words >> rows;
    Wait([&] { return W.DBGrid1->model()->rowCount() == rows; });
  }

  void PostMany(std::istream& words) {
    std::string prefix;
    int count = 0;
    words >> prefix >> count;
    for (int item = 1; item <= count; ++item) {
      std::ostringstream barcode;
      barcode << prefix << std::setw(barmas::kBarcodeLength - static_cast<int>(prefix.size())) << std::setfill('0') << item;
      std::istringstream typed(barcode.str() + " Item " + std::to_string(item));
      Append(typed);
      QApplication::processEvents();  // the other counter's rows come in between, as they would
    }
  }
  void Grab(std::istream& words) {
    if (!W.grab().save(QString::fromStdString(Rest(words)), "PNG")) std::cout << "grab failed\n";
  }

  Tfrminput& W;
};

const std::map<std::string, TCounter::TCommand> TCounter::kCommands = {
    {"append", &TCounter::Append},     {"edit", &TCounter::Type},          {"post", &TCounter::Post},
    {"fields", &TCounter::Fields},     {"wait-grid", &TCounter::WaitGrid}, {"wait-rows", &TCounter::WaitRows},
    {"post-many", &TCounter::PostMany}, {"grab", &TCounter::Grab},
};

}  // namespace
}  // namespace items

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "Usage: item_counter DATADIR\n";
    return 2;
  }
  QApplication application(argc, argv);
  platform::InstallQtScreenResolution();
  platform::SetDataDirectory(std::string(argv[1]) + "/");
  platform::SetMessageHandler([](const std::string& text) { std::cout << "message " << text << std::endl; });
  items::Tfrminput* window = items::OpenItemMaster(nullptr);
  window->activateWindow();
  if (!QTest::qWaitForWindowActive(window)) std::cout << "message the item window did not become active\n";
  items::TCounter counter(*window);
  std::cout << "done" << std::endl;

  // Commands come while the window waits in the event loop, as the operator's keys do.
  QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
  std::string pending;
  QObject::connect(&input, &QSocketNotifier::activated, [&] {
    char buffer[4096];
    const ssize_t got = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (got <= 0) return QApplication::quit();
    pending.append(buffer, static_cast<std::size_t>(got));
    input.setEnabled(false);  // one command at a time, even while one waits in the loop
    for (std::size_t end; (end = pending.find('\n')) != std::string::npos; pending.erase(0, end + 1)) {
      counter.Run(pending.substr(0, end));
    }
    input.setEnabled(true);
  });
  // Quitting closes the window, which deletes itself.
  return QApplication::exec();
}
