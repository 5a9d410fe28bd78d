// The program's command-line modes, run as the till runs them: the real program file
// beside tables of its own, without any display, its output, exit status and port file read.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "items/globvar.h"
#include "items/itemtransfer.h"
#include "items/labeljob.h"
#include "items/shoptables.h"
#include "support/tempdir.h"

namespace {

namespace fs = std::filesystem;
using tables::TVariant;

struct TRun {
  int ExitCode;
  std::string Out;
  std::string Err;
};

std::string ReadFile(const std::string& path) {
  std::stringstream text;
  text << std::ifstream(path, std::ios::binary).rdbuf();
  return text.str();
}

const items::TLabelValues kMilk{"4006381333931", "Milk", "2", "1.50", ""};
const items::TLabelValues kTea{"4012345678901", "Tea", "0", "0.00", ""};
const items::TLabelValues kCoffee{"5901234123457", "Coffee", "0", "0.00", ""};

std::string JobOf(items::TLabelValues item, const char* quantity = nullptr) {
  if (quantity) item.Quantity = quantity;
  std::string bytes;
  for (const std::string& line : items::LabelJobLines("Z", item, '.')) bytes += line + "\r\n";
  return bytes;
}

class CommandLine : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::copy_file(PROGRAM_FILE, dir.File("BarcodePrint"));
    items::CreateMissingTables(dir.Path());
    tables::TTable table;
    items::OpenItemTable(table, dir.Path());
    table.WriteRows({{0, {kMilk.Barcode, kMilk.Name, 1.5, TVariant{}, TVariant{}, 2.0, TVariant{}}},
                     {0, {kTea.Barcode, kTea.Name, TVariant{}, TVariant{}, TVariant{}, 0.0, TVariant{}}},
                     {0, {kCoffee.Barcode, kCoffee.Name, TVariant{}, TVariant{}, TVariant{}, TVariant{}, TVariant{}}}});
    SetPort(dir.File("labels.prn"));
  }
  void SetPort(const std::string& port) {
    tables::TTable param;
    param.SetDatabaseName(dir.Path());
    param.SetTableName(items::param::kTable);
    param.Open();
    param.Edit();
    param.FieldByName(items::param::PRTPORT).SetAsString(port.size() <= 5 ? port : "out");
    param.Post();
    // The port field holds five characters: a longer file path is reached through the data directory.
    if (port.size() > 5) fs::create_symlink(port, dir.File("out"));
  }
  // Runs the program with no display at all and the locale's decimal point.
  TRun Run(const std::string& arguments) {
    const std::string command = "cd " + dir.Path() + " && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM LC_ALL=C ./BarcodePrint " +
                                arguments + " 2>" + dir.File("stderr");
    FILE* pipe = popen(command.c_str(), "r");
    std::string out;
    char buffer[256];
    while (fgets(buffer, sizeof buffer, pipe)) out += buffer;
    const int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out, ReadFile(dir.File("stderr"))};
  }

  testsupport::TTempDir dir;
};

struct TModeCase {
  const char* Name;
  const char* Arguments;
  int ExitCode;
  const char* Err;  // the start of standard error
  std::string (*Port)();  // what the port file holds afterwards
};

std::string Nothing() { return {}; }

void PrintTo(const TModeCase& c, std::ostream* os) { *os << c.Name; }

const TModeCase kModes[] = {
    {"Found", "--print-label 4006381333931", 0, "", [] { return JobOf(kMilk); }},
    {"Copies", "--print-label 4006381333931 --copies 12", 0, "", [] { return JobOf(kMilk, "12"); }},
    {"QuantityZeroStillPrintsAsPrintDoes", "--print-label 4012345678901", 0, "", [] { return JobOf(kTea); }},
    {"NotFound", "--print-label 5901234123458", 1, "Item 5901234123458 not found\n", Nothing},
    {"CopiesOutOfRange", "--print-label 4006381333931 --copies 10000", 2, "BarcodePrint: --copies takes", Nothing},
    {"NoBarcode", "--print-label", 2, "BarcodePrint: no barcode given", Nothing},
    {"UnknownMode", "--print-everything", 2, "BarcodePrint: unknown option --print-everything", Nothing},
    {"CsvBatch", "--print-labels batch.csv", 0, "", [] { return JobOf(kMilk, "5") + JobOf(kCoffee, "1"); }},
    {"CsvUnknownBarcodeSendsNothing", "--print-labels unknown.csv", 1, "Item 5901234123458 not found\n", Nothing},
    {"CsvRefusedLineSendsNothing", "--print-labels refused.csv", 1,
     "line 3: FBarcode: Barcode Should Be 13 Character\n", Nothing},
};

class CommandLineModes : public CommandLine, public testing::WithParamInterface<TModeCase> {};

TEST_P(CommandLineModes, StatusMessageAndPort) {
  const TModeCase& c = GetParam();
  std::ofstream(dir.File("batch.csv")) << "Barcode;Bar Code Qty;Note\n4006381333931;5;x\n4012345678901;;\n\"5901234123457 \";1,0;\n";
  std::ofstream(dir.File("unknown.csv")) << "FBarcode\n4006381333931\n5901234123458\n";
  std::ofstream(dir.File("refused.csv")) << "FBarcode\n4006381333931\n123\n";
  const TRun run = Run(c.Arguments);
  EXPECT_EQ(run.ExitCode, c.ExitCode);
  EXPECT_EQ(run.Err.substr(0, std::string(c.Err).size()), c.Err) << run.Err;
  if (std::string(c.Arguments).starts_with("--print-label ")) {
    EXPECT_EQ(run.Out, "");  // a single label prints nothing on success
  }
  EXPECT_EQ(ReadFile(dir.File("labels.prn")), c.Port());
}

INSTANTIATE_TEST_SUITE_P(Modes, CommandLineModes, testing::ValuesIn(kModes),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(CommandLine, CsvBatchReportsWhatWasSent) {
  std::ofstream(dir.File("batch.csv")) << "Barcode\n4006381333931\n4012345678901\n";
  const TRun run = Run("--print-labels batch.csv");
  EXPECT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_EQ(run.Out, "Labels for 1 of 2 items sent, 1 skipped (quantity 0)\n");
}

TEST_F(CommandLine, APortErrorIsTheProgramsMessage) {
  fs::remove(dir.File("out"));
  SetPort(dir.File("missing/labels.prn"));
  const TRun run = Run("--print-label 4006381333931");
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_EQ(run.Err, "The label of item 4006381333931 (Milk) was not sent: Error File not found\n");
}

TEST_F(CommandLine, HelpListsEveryMode) {
  const TRun run = Run("--help");
  EXPECT_EQ(run.ExitCode, 0);
  for (const char* usage : {"--print-label BARCODE [--copies N]", "--print-labels FILE.csv", "--help"}) {
    EXPECT_NE(run.Out.find(std::string("BarcodePrint ") + usage), std::string::npos) << usage;
  }
}

}  // namespace
