// Label jobs written to real ports: pseudo-terminals, plain files, full and
// missing devices, unwritable files; and the operator's error messages.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "base/messages.h"
#include "items/globvar.h"
#include "items/labeljob.h"
#include "support/tempdir.h"

namespace items {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

class LabelPortTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::permissions(dir, fs::perms::all);  // an unprivileged child must reach it
    job.DataDirectory = temp.Path();
    job.DecimalSeparator = '.';
    previous = platform::SetMessageHandler([this](const std::string& text) { messages.push_back(text); });
    gPrtname = "Z";
  }
  void TearDown() override {
    platform::SetMessageHandler(previous);
    gPrtname.clear();
  }

  void Send(const std::string& price = "12.50") { job.SendLabelJob("4006381333931", "Milk", "2", price, ""); }

  static std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  testsupport::TTempDir temp;
  const fs::path dir = temp.Folder();
  TLabelJob job;
  Lines messages;
  platform::TMessageHandler previous;
};

std::string Joined(const Lines& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

TEST_F(LabelPortTest, PlainFileHoldsTheWholeJobAndTheNextJobReplacesIt) {
  job.PortText = (dir / "label.txt").string();
  Send();
  Lines zpl = LabelJobLines("Z", {"4006381333931", "Milk", "2", "12.50", ""}, '.');
  EXPECT_EQ(ReadFile(dir / "label.txt"), Joined(zpl));
  gPrtname = "E";
  Send("0.00");
  Lines epl = LabelJobLines("E", {"4006381333931", "Milk", "2", "0.00", ""}, '.');
  ASSERT_EQ(epl.size(), 11u);
  EXPECT_EQ(ReadFile(dir / "label.txt"), Joined(epl));
  EXPECT_TRUE(messages.empty());
}

// A line break in a value would end the command and start another ("P999": 999 labels).
TEST_F(LabelPortTest, AValueWithALineBreakSendsNoLineAtAll) {
  job.PortText = (dir / "label.txt").string();
  Send();
  const std::string previousJob = ReadFile(dir / "label.txt");
  for (const char* type : {"Z", "E"}) {
    gPrtname = type;
    job.SendLabelJob("4006381333931", "x\nP999", "2", "12.50", "");
  }
  EXPECT_EQ(ReadFile(dir / "label.txt"), previousJob);
  const std::string refused =
      "Error Field FName holds the control character 0x0A, which the printer would take as a command; nothing was sent";
  EXPECT_EQ(messages, (Lines{refused, refused}));
}

TEST_F(LabelPortTest, NoJobForAnUnknownPrinterTypeAndNoMessage) {
  job.PortText = (dir / "label.txt").string();
  for (const char* type : {"", "z", "Z "}) {
    gPrtname = type;
    Send();
  }
  EXPECT_FALSE(fs::exists(dir / "label.txt"));
  EXPECT_TRUE(messages.empty());
}

// A pseudo-terminal stands for a serial printer mapped as ports/COM1.
TEST_F(LabelPortTest, JobOnAPseudoTerminalArrivesLineByLine) {
  int master = -1, slave = -1;
  char slaveName[256];
  ASSERT_EQ(openpty(&master, &slave, slaveName, nullptr, nullptr), 0);
  termios raw{};
  tcgetattr(slave, &raw);
  cfmakeraw(&raw);  // the administrator's line settings: no CR/LF translation
  tcsetattr(slave, TCSANOW, &raw);
  fs::create_directory(dir / "ports");
  fs::create_symlink(slaveName, dir / "ports" / "COM1");
  job.PortText = "com1";
  gPrtname = "E";

  Send();

  std::string received;
  char buffer[4096];
  fcntl(master, F_SETFL, O_NONBLOCK);
  ssize_t n;
  while ((n = read(master, buffer, sizeof buffer)) > 0) received.append(buffer, static_cast<size_t>(n));
  close(slave);
  close(master);
  EXPECT_EQ(received, Joined(LabelJobLines("E", {"4006381333931", "Milk", "2", "12.50", ""}, '.')));
  EXPECT_TRUE(messages.empty());
}

TEST_F(LabelPortTest, AFullDeviceReportsEveryLineAndTheJobGoesOn) {
  job.PortText = "/dev/full";
  Send();
  ASSERT_EQ(messages.size(), 8u);
  for (const std::string& message : messages) EXPECT_EQ(message, "Line print error Disk full");
}

TEST_F(LabelPortTest, AMissingDirectoryStopsTheJobAtTheFirstLine) {
  job.PortText = (dir / "no" / "such" / "label.txt").string();
  Send();
  EXPECT_EQ(messages, Lines{"Error File not found"});
}

TEST_F(LabelPortTest, ADirectoryAsPortIsRefused) {
  job.PortText = dir.string();
  Send();
  EXPECT_EQ(messages, Lines{"Error File access denied"});
}

TEST_F(LabelPortTest, AMissingConventionalDeviceIsNotCreatedAsAFile) {
  job.PortText = "LPT9";
  if (fs::exists("/dev/lp8") || fs::exists("/dev/usb/lp8")) GTEST_SKIP() << "this machine has an lp8";
  Send();
  EXPECT_EQ(messages, Lines{"Error File not found"});
  EXPECT_FALSE(fs::exists("/dev/lp8"));
}

// Root may write any file, so the read-only case runs as an unprivileged user.
TEST_F(LabelPortTest, AReadOnlyFileIsRefused) {
  fs::path port = dir / "readonly.txt";
  std::ofstream(port) << "old";
  fs::permissions(port, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  job.PortText = port.string();
  int pipeEnds[2];
  ASSERT_EQ(pipe(pipeEnds), 0);
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (geteuid() == 0 && setuid(65534) != 0) _exit(2);
    Send();
    std::string all;
    for (const std::string& message : messages) all += message + "\n";
    ssize_t written = write(pipeEnds[1], all.data(), all.size());
    _exit(written == static_cast<ssize_t>(all.size()) ? 0 : 3);
  }
  close(pipeEnds[1]);
  std::string received;
  char buffer[256];
  ssize_t n;
  while ((n = read(pipeEnds[0], buffer, sizeof buffer)) > 0) received.append(buffer, static_cast<size_t>(n));
  close(pipeEnds[0]);
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(received, "Error File access denied\n");
  EXPECT_EQ(ReadFile(port), "old");
}

TEST_F(LabelPortTest, FittedLinesArePaddedOrCut) {
  job.PortText = (dir / "fit.txt").string();
  job.prtln("abc", 6, job.PortText);
  EXPECT_EQ(ReadFile(dir / "fit.txt"), "abc   \r\n");
  job.prtln("abcdefgh", 4, job.PortText);  // not the first line of a job: appended
  EXPECT_EQ(ReadFile(dir / "fit.txt"), "abc   \r\nabcd\r\n");
}

TEST(WaitSeconds, WaitsTheWallClockTimeWithoutSpinning) {
  auto start = std::chrono::system_clock::now();
  std::clock_t cpuStart = std::clock();
  WaitSeconds(0.3);
  double cpu = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
  EXPECT_GE(std::chrono::system_clock::now() - start, std::chrono::milliseconds(300));
  EXPECT_LT(cpu, 0.15);
}

}  // namespace
}  // namespace items
