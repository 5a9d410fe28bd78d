// Port names and the port file: which path a name opens, and how devices and plain files are written.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <sstream>

#include "base/ioerror.h"
#include "ports/portfile.h"
#include "support/tempdir.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

class PortNameTest : public ::testing::Test {
 protected:
  testsupport::TTempDir temp;
  const fs::path dir = temp.Folder();
  const std::string& data = temp.Path();
};

TEST_F(PortNameTest, DosNamesOpenTheConventionalDevices) {
  struct Case {
    const char* name;
    const char* device;
  };
  std::string lp0 = fs::exists("/dev/usb/lp0") ? "/dev/usb/lp0" : "/dev/lp0";
  for (const Case& c : {Case{"COM1", "/dev/ttyS0"}, Case{"com4", "/dev/ttyS3"}, Case{"Com9", "/dev/ttyS8"},
                        Case{"AUX", "/dev/ttyS0"}, Case{"aux", "/dev/ttyS0"}}) {
    TPortTarget target = ResolvePortName(c.name, data);
    EXPECT_EQ(target.Path, c.device) << c.name;
    EXPECT_FALSE(target.MayCreate) << c.name;
  }
  for (const char* name : {"LPT1", "lpt1", "PRN", "prn"}) EXPECT_EQ(ResolvePortName(name, data).Path, lp0) << name;
}

TEST_F(PortNameTest, OtherNamesAreFilePaths) {
  for (const char* name : {"LPT0", "LPT10", "COM", "LPT1:", "label.txt", "/tmp/x/COM1", ""}) {
    TPortTarget target = ResolvePortName(name, data);
    EXPECT_EQ(target.Path, name);
    EXPECT_TRUE(target.MayCreate);
  }
}

TEST_F(PortNameTest, AMappedPortWinsOverTheConventionalDevice) {
  fs::create_directory(dir / "ports");
  fs::create_symlink("/dev/null", dir / "ports" / "LPT2");
  fs::create_symlink(dir / "unplugged", dir / "ports" / "COM3");  // the adapter's device is not there
  struct Case {
    const char* name;
    const char* entry;
  };
  for (const Case& c : {Case{"lpt2", "ports/LPT2"}, Case{"COM3", "ports/COM3"}}) {
    TPortTarget target = ResolvePortName(c.name, data);
    EXPECT_EQ(target.Path, data + c.entry) << c.name;
    EXPECT_FALSE(target.MayCreate) << c.name;  // a mapped port is a device, never a new file
  }
  EXPECT_EQ(ResolvePortName("PRN", data).Path, ResolvePortName("LPT1", data).Path);
}

TEST_F(PortNameTest, AMappedPortWhoseDeviceIsMissingCreatesNothing) {
  fs::create_directory(dir / "ports");
  fs::create_symlink(dir / "unplugged", dir / "ports" / "COM1");
  TPortFile file;
  try {
    file.Open(ResolvePortName("COM1", data), TPlainFileMode::Truncate);
    ADD_FAILURE() << "a port without its device opened";
    file.Close();
  } catch (const EInOutError& e) {
    EXPECT_STREQ(e.what(), "File not found");
  }
  EXPECT_FALSE(fs::exists(dir / "unplugged"));
}

TEST_F(PortNameTest, ANetworkPrinterIsReadOnlyForADeviceNameWithoutALink) {
  fs::create_directory(dir / "ports");
  std::ofstream(dir / "ports" / "LPT2.uri") << "socket://127.0.0.1:9100\n";
  std::ofstream(dir / "out.txt.uri") << "socket://127.0.0.1:9100\n";
  TPortTarget networked = ResolvePortName("lpt2", data);
  ASSERT_TRUE(networked.Destination.has_value());
  EXPECT_EQ(networked.Destination->Text, "socket://127.0.0.1:9100");
  EXPECT_EQ(networked.Path, "");
  EXPECT_FALSE(networked.MayCreate);
  TPortTarget file = ResolvePortName((dir / "out.txt").string(), data);
  EXPECT_FALSE(file.Destination.has_value());
  EXPECT_EQ(file.Path, (dir / "out.txt").string());
  EXPECT_FALSE(ResolvePortName("LPT3", data).Destination.has_value());
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST_F(PortNameTest, PlainFilesAreTruncatedOrAppendedAndWrittenAtClose) {
  fs::path path = dir / "out.txt";
  TPortFile file;
  file.Open({path.string(), true}, TPlainFileMode::Truncate);
  EXPECT_FALSE(file.IsDevice());
  file.Write("one\r\n");
  EXPECT_EQ(ReadFile(path), "");  // still buffered
  file.Close();
  file.Open({path.string(), true}, TPlainFileMode::Append);
  file.Write("two\r\n");
  file.Close();
  EXPECT_EQ(ReadFile(path), "one\r\ntwo\r\n");
  file.Open({path.string(), true}, TPlainFileMode::Truncate);
  file.Close();
  EXPECT_EQ(ReadFile(path), "");
}

TEST_F(PortNameTest, ErrorsCarryTheOperatorsTexts) {
  TPortFile file;
  auto openError = [&](const TPortTarget& target) {
    try {
      file.Open(target, TPlainFileMode::Truncate);
      file.Close();
    } catch (const EInOutError& e) {
      return std::string(e.what());
    }
    return std::string("no error");
  };
  EXPECT_EQ(openError({(dir / "none" / "x").string(), true}), "File not found");
  EXPECT_EQ(openError({(dir / "missing-device").string(), false}), "File not found");
  EXPECT_FALSE(fs::exists(dir / "missing-device"));
  EXPECT_EQ(openError({dir.string(), true}), "File access denied");
  std::ofstream(dir / "plain") << "";
  EXPECT_EQ(openError({(dir / "plain" / "x").string(), true}), "Invalid filename");
  EXPECT_EQ(openError({std::string(5000, 'a'), true}), "Invalid filename");

  file.Open({"/dev/full", false}, TPlainFileMode::Truncate);
  EXPECT_TRUE(file.IsDevice());
  EXPECT_THROW(file.Write("x"), EInOutError);
  file.Close();
}

TEST(IOErrorText, MapsOperatingSystemErrors) {
  EXPECT_EQ(IOErrorText(ENOENT), "File not found");
  EXPECT_EQ(IOErrorText(ENAMETOOLONG), "Invalid filename");
  EXPECT_EQ(IOErrorText(EACCES), "File access denied");
  EXPECT_EQ(IOErrorText(ENOSPC), "Disk full");
  EXPECT_EQ(IOErrorText(EPIPE), "I/O error 32");
}

// FIFOs stand for a port whose reader may be absent or may go away.
class FifoPortTest : public PortNameTest {
 protected:
  void SetUp() override { ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0); }
  int OpenReader() const { return ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC); }
  const std::string fifo = (dir / "fifo").string();
};

TEST_F(FifoPortTest, WithoutAReaderTheOpenFailsAtOnce) {
  auto opening = std::async(std::launch::async, [this] {
    TPortFile file;
    try {
      file.Open({fifo, false}, TPlainFileMode::Truncate);
      file.Close();
    } catch (const EInOutError& e) {
      return std::string(e.what());
    }
    return std::string("opened");
  });
  if (opening.wait_for(std::chrono::seconds(3)) != std::future_status::ready) {
    int reader = OpenReader();  // lets the hanging open return
    opening.wait();
    ::close(reader);
    FAIL() << "opening a FIFO without a reader hangs";
  }
  EXPECT_EQ(opening.get(), "I/O error 6");
}

TEST_F(FifoPortTest, AReaderGetsTheLine) {
  int reader = OpenReader();
  ASSERT_GE(reader, 0);
  TPortFile file;
  file.Open({fifo, false}, TPlainFileMode::Truncate);
  EXPECT_TRUE(file.IsDevice());
  file.Write("^XA\r\n");
  file.Close();
  char buffer[64];
  ssize_t n = ::read(reader, buffer, sizeof buffer);
  ::close(reader);
  EXPECT_EQ(std::string(buffer, static_cast<size_t>(std::max<ssize_t>(n, 0))), "^XA\r\n");
}

// The child starts with the default action for SIGPIPE, which would end it.
TEST_F(FifoPortTest, AReaderThatWentAwayIsAnErrorNotTheEndOfTheProgram) {
  EXPECT_EXIT(
      {
        signal(SIGPIPE, SIG_DFL);
        int reader = OpenReader();
        TPortFile file;
        file.Open({fifo, false}, TPlainFileMode::Truncate);
        ::close(reader);
        std::string error = "no error";
        try {
          file.Write("^XA\r\n");
        } catch (const EInOutError& e) {
          error = e.what();
        }
        file.Close();
        std::exit(error == "I/O error 32" ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace platform
