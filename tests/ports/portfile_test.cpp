// Port names and the port file: which path a name opens, and how devices and plain files are written.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
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
  fs::create_symlink(dir / "missing-target", dir / "ports" / "COM3");  // a link whose file is not there yet
  EXPECT_EQ(ResolvePortName("lpt2", data).Path, data + "ports/LPT2");
  EXPECT_EQ(ResolvePortName("COM3", data).Path, data + "ports/COM3");
  EXPECT_EQ(ResolvePortName("PRN", data).Path, ResolvePortName("LPT1", data).Path);
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
  struct Case {
    int error;
    const char* text;
  };
  for (const Case& c : {Case{ENOENT, "File not found"}, Case{ENOTDIR, "Invalid filename"},
                        Case{ENAMETOOLONG, "Invalid filename"}, Case{EMFILE, "Too many open files"},
                        Case{ENFILE, "Too many open files"}, Case{EACCES, "File access denied"},
                        Case{EPERM, "File access denied"}, Case{EROFS, "File access denied"},
                        Case{EISDIR, "File access denied"}, Case{ENOSPC, "Disk full"}, Case{EDQUOT, "Disk full"},
                        Case{EIO, "I/O error 5"}, Case{EBUSY, "I/O error 16"}})
    EXPECT_EQ(IOErrorText(c.error), c.text) << c.error;
}

}  // namespace
}  // namespace platform
