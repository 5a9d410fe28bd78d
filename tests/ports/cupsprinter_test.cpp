// Jobs submitted to CUPS raw queues of a private scheduler, whose queue device is a
// listener on 127.0.0.1 standing for the printer.
#include "ports/cupsprinter.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "ports/porterror.h"
#include "support/loopbacklistener.h"
#include "support/privatecupsd.h"

namespace platform {
namespace {

using Lines = std::vector<std::string>;

class CupsPrinterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SKIP_OR_FAIL_WITHOUT_PRINTING(cupsd.Failure());
  }

  // A raw queue: no driver, CUPS hands the job to the device as it came.
  bool AddRawQueue(const std::string& name, const std::string& device) {
    return cupsd.Run({"lpadmin", "-p", name, "-E", "-v", device, "-m", "raw"});
  }

  static std::string SendError(const std::string& destination) {
    try {
      SendToCups(ParseDestination(destination), "^XA\r\n^XZ\r\n", "4006381333931");
    } catch (const EPortError& e) {
      return e.what();
    }
    return "sent";
  }

  static int FreeLoopbackPort() {
    int port = 0;
    ::close(testsupport::BindLoopback(&port));
    return port;
  }

  const int ippPort = FreeLoopbackPort();
  testsupport::TPrivateCupsd cupsd{ippPort};
};

const std::string kEplJob =
    "US\r\nN\r\nJB\r\nQ203,24\r\nq254\r\nD6\r\nS4\r\nZT\r\nA30,30,0,2,1,1,N,\"Milk\"\r\n"
    "B30,60,0,E30,2,3,75,B,\"4006381333931\"\r\nP2\r\n";

TEST_F(CupsPrinterTest, ARawQueueHandsTheJobOnByteForByte) {
  testsupport::TLoopbackListener printer;
  ASSERT_TRUE(AddRawQueue("labels", printer.Uri()));
  std::string withBytesAFilterWouldTouch = kEplJob + std::string("\x00\x1b\xff%!PS\n", 9);
  SendToCups(ParseDestination("cups:labels"), withBytesAFilterWouldTouch, "4006381333931");
  SendToCups(ParseDestination("ipp://127.0.0.1:" + std::to_string(ippPort) + "/printers/labels"), kEplJob,
             "4006381333931");
  EXPECT_EQ(printer.Received(2), (Lines{withBytesAFilterWouldTouch, kEplJob}));

  cups_job_t* jobs = nullptr;
  int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, "labels", 0, CUPS_WHICHJOBS_ALL);
  ASSERT_EQ(count, 2);
  for (int i = 0; i < count; ++i) EXPECT_STREQ(jobs[i].title, "4006381333931");
  cupsFreeJobs(count, jobs);
}

TEST_F(CupsPrinterTest, AQueueThatCannotPrintIsNamed) {
  ASSERT_TRUE(AddRawQueue("stopped", "socket://127.0.0.1:9"));
  ASSERT_TRUE(AddRawQueue("refusing", "socket://127.0.0.1:9"));
  ASSERT_TRUE(cupsd.Run({"cupsdisable", "stopped"}));
  ASSERT_TRUE(cupsd.Run({"cupsreject", "refusing"}));
  EXPECT_EQ(SendError("cups:missing"), "CUPS queue \"missing\" not found (cups:missing)");
  EXPECT_EQ(SendError("cups:stopped"), "CUPS queue \"stopped\" is stopped (cups:stopped)");
  EXPECT_EQ(SendError("cups:refusing"), "CUPS queue \"refusing\" is not accepting jobs (cups:refusing)");
  cups_job_t* jobs = nullptr;
  EXPECT_EQ(cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, nullptr, 0, CUPS_WHICHJOBS_ALL), 0);
  cupsFreeJobs(0, jobs);
}

TEST_F(CupsPrinterTest, AServerThatIsNotThereIsNamed) {
  int port = FreeLoopbackPort();
  std::string destination = "ipp://127.0.0.1:" + std::to_string(port) + "/printers/labels";
  EXPECT_EQ(SendError(destination), "Cannot reach the CUPS server 127.0.0.1 for " + destination);
}

// Takes the connection and the request but never answers.
TEST(CupsPrinter, AServerThatDoesNotAnswerTimesOut) {
  testsupport::TLoopbackListener silent;
  std::string destination = "ipp://127.0.0.1:" + std::to_string(silent.Port()) + "/printers/labels";
  auto start = std::chrono::steady_clock::now();
  std::string error = "sent";
  try {
    SendToCups(ParseDestination(destination), "^XA\r\n^XZ\r\n", "4006381333931", std::chrono::milliseconds(1500));
  } catch (const EPortError& e) {
    error = e.what();
  }
  EXPECT_EQ(error, "Timed out talking to the CUPS server for " + destination);
  auto took = std::chrono::steady_clock::now() - start;
  EXPECT_GE(took, std::chrono::milliseconds(1500));
  EXPECT_LT(took, std::chrono::milliseconds(4500));  // far below a default wait, with room for a loaded machine
}

}  // namespace
}  // namespace platform
