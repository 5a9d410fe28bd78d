// Label jobs written to real ports: pseudo-terminals, plain files, full and
// missing devices, unwritable files, network printers on loopback; and the
// operator's error messages.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "base/messages.h"
#include "items/globvar.h"
#include "items/labeljob.h"
#include "support/loopbacklistener.h"
#include "support/privatecupsd.h"
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

// The jobs for barcode 4006381333931, name "Milk", quantity 2, written out from the job tables.
const Lines kZplWithPrice = {
    "^XA",
    "^XB",
    "^LH0,03",
    "^BY1.0,10,,^FO15,84^AP,22,N,N,N^FDMilk^FS",
    "^BY2,3.0,2,^FO50,160^AP^BEN,70,Y,N^FD4006381333931^FS",
    "^BY1.0,10,,^FO42,122^AP,30,N,N,N^FDDhs.12.50^FS",
    "^PQ2",
    "^XZ",
};
const Lines kEplWithPrice = {
    "US",
    "N",
    "JB",
    "Q203,24",
    "q254",
    "D6",
    "S4",
    "ZT",
    "A30,30,0,2,1,1,N,\"Milk\"",
    "B30,60,0,E30,2,3,75,B,\"4006381333931\"",
    "A40,160,0,4,1,1,N,\"Dhs.\"",
    "A100,160,0,4,1,1,N,\"12.50\"",
    "P2",
};
// Without a price the two price lines go, the rest stays as it is.
const Lines kEplWithoutPrice = [] {
  Lines lines = kEplWithPrice;
  lines.erase(lines.end() - 3, lines.end() - 1);
  return lines;
}();

// What happens to one file, as inotify reports it: "o" an open, "w" one or more
// writes (or a truncation), "c" a close. Watches only; opens nothing itself.
class TFileEvents {
 public:
  explicit TFileEvents(const fs::path& path) : FHandle(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
    inotify_add_watch(FHandle, path.c_str(), IN_OPEN | IN_MODIFY | IN_CLOSE);
  }
  ~TFileEvents() { close(FHandle); }
  TFileEvents(const TFileEvents&) = delete;
  TFileEvents& operator=(const TFileEvents&) = delete;

  std::string Read() {
    std::string events;
    alignas(inotify_event) char buffer[4096];
    ssize_t n;
    while ((n = read(FHandle, buffer, sizeof buffer)) > 0) {
      for (char* at = buffer; at < buffer + n;) {
        auto* event = reinterpret_cast<inotify_event*>(at);
        char kind = event->mask & IN_OPEN ? 'o' : event->mask & IN_MODIFY ? 'w' : 'c';
        if (events.empty() || kind != 'w' || events.back() != 'w') events += kind;
        at += sizeof(inotify_event) + event->len;
      }
    }
    return events;
  }

 private:
  int FHandle;
};

std::string OpenWriteClose(size_t lines) {
  std::string events;
  for (size_t i = 0; i < lines; ++i) events += "owc";
  return events;
}

TEST_F(LabelPortTest, PlainFileHoldsTheWholeJobAndTheNextJobReplacesIt) {
  fs::path port = dir / "label.txt";
  std::ofstream(port) << "an older job";
  job.PortText = port.string();
  TFileEvents events(port);
  Send();
  EXPECT_EQ(events.Read(), OpenWriteClose(8));  // before the test's own reading
  EXPECT_EQ(ReadFile(port), Joined(kZplWithPrice));
  events.Read();
  gPrtname = "E";
  Send("0.00");
  EXPECT_EQ(events.Read(), OpenWriteClose(11));
  EXPECT_EQ(ReadFile(port), Joined(kEplWithoutPrice));
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
  TFileEvents events(slaveName);

  Send();
  EXPECT_EQ(events.Read(), OpenWriteClose(13));

  std::string received;
  char buffer[4096];
  fcntl(master, F_SETFL, O_NONBLOCK);
  ssize_t n;
  while ((n = read(master, buffer, sizeof buffer)) > 0) received.append(buffer, static_cast<size_t>(n));
  close(slave);
  close(master);
  EXPECT_EQ(received, Joined(kEplWithPrice));
  EXPECT_TRUE(messages.empty());
}

// The administrator mapped COM1 to a USB adapter that is unplugged.
TEST_F(LabelPortTest, AMappedPortWithoutItsDeviceStopsTheJobAndCreatesNothing) {
  fs::create_directory(dir / "ports");
  fs::create_symlink(dir / "ttyUSB0", dir / "ports" / "COM1");
  job.PortText = "COM1";
  Send();
  EXPECT_EQ(messages, Lines{"Error File not found"});
  EXPECT_FALSE(fs::exists(dir / "ttyUSB0"));
}

// A network printer named in ports/LPT2.uri: each job reaches it whole, in one connection.
TEST_F(LabelPortTest, ANetworkPrinterGetsEachJobWholeInOneConnection) {
  testsupport::TLoopbackListener printer;
  fs::create_directory(dir / "ports");
  std::ofstream(dir / "ports" / "LPT2.uri") << printer.Uri() << "\n";
  job.PortText = "lpt2";
  Send();
  gPrtname = "E";
  Send("0.00");
  EXPECT_EQ(printer.Received(2), (Lines{Joined(kZplWithPrice), Joined(kEplWithoutPrice)}));
  EXPECT_TRUE(messages.empty());
}

TEST_F(LabelPortTest, ARefusingNetworkPrinterGetsNothingAndTheOperatorIsTold) {
  int port = 0;
  int bound = testsupport::BindLoopback(&port);
  fs::create_directory(dir / "ports");
  std::ofstream(dir / "ports" / "COM2.uri") << "socket://127.0.0.1:" << port;
  job.PortText = "COM2";
  Send();
  close(bound);
  EXPECT_EQ(messages, Lines{"Error Connection refused by socket://127.0.0.1:" + std::to_string(port)});
}

TEST_F(LabelPortTest, AWrongDestinationFileSendsNothingAndSaysWhy) {
  testsupport::TLoopbackListener printer;
  fs::create_directory(dir / "ports");
  fs::path file = dir / "ports" / "LPT3.uri";
  struct Case {
    std::string text;
    std::string message;
  };
  std::string forms = ": write socket://HOST:PORT, ipp://HOST/printers/QUEUE or cups:QUEUE";
  for (const Case& c : {
           Case{"", "The printer destination is empty" + forms},
           Case{"http://127.0.0.1:" + std::to_string(printer.Port()),
                "Unknown printer destination \"http://127.0.0.1:" + std::to_string(printer.Port()) + "\"" + forms},
           Case{"socket://:" + std::to_string(printer.Port()),
                "No host in printer destination \"socket://:" + std::to_string(printer.Port()) + "\""},
       }) {
    std::ofstream(file) << c.text;
    messages.clear();
    job.PortText = "LPT3";
    Send();
    EXPECT_EQ(messages, Lines{"Error " + file.string() + ": " + c.message}) << c.text;
  }
  EXPECT_TRUE(printer.Received(1, std::chrono::milliseconds(200)).empty());
}

TEST_F(LabelPortTest, APortBothLinkedAndNetworkedIsAConfigurationError) {
  fs::path port = dir / "label.txt";
  fs::create_directory(dir / "ports");
  fs::create_symlink(port, dir / "ports" / "LPT1");
  std::ofstream(dir / "ports" / "LPT1.uri") << "socket://127.0.0.1:9100";
  job.PortText = "LPT1";
  Send();
  std::string ports = (dir / "ports").string();
  EXPECT_EQ(messages, Lines{"Error Port LPT1 is mapped twice, by " + ports + "/LPT1 and by " + ports +
                            "/LPT1.uri: remove one of them"});
  EXPECT_FALSE(fs::exists(port));
}

// A CUPS raw queue of a private scheduler, whose device is a loopback listener.
TEST_F(LabelPortTest, ACupsRawQueueGetsTheJobUnchangedTitledWithTheBarcode) {
  testsupport::TPrivateCupsd cupsd;
  SKIP_OR_FAIL_WITHOUT_PRINTING(cupsd.Failure());
  testsupport::TLoopbackListener printer;
  ASSERT_TRUE(cupsd.Run({"lpadmin", "-p", "Zebra", "-E", "-v", printer.Uri(), "-m", "raw"}));
  fs::create_directory(dir / "ports");
  std::ofstream(dir / "ports" / "LPT1.uri") << "cups:Zebra\n";
  job.PortText = "LPT1";
  Send();
  EXPECT_TRUE(messages.empty()) << messages.front();
  EXPECT_EQ(printer.Received(1), Lines{Joined(kZplWithPrice)});
  cups_job_t* jobs = nullptr;
  ASSERT_EQ(cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, "Zebra", 0, CUPS_WHICHJOBS_ALL), 1);
  EXPECT_STREQ(jobs[0].title, "4006381333931");
  cupsFreeJobs(1, jobs);
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
