// Jobs sent to a network printer's raw port, here a listener on 127.0.0.1.
#include "ports/socketprinter.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <vector>

#include "ports/porterror.h"
#include "support/loopbacklistener.h"

namespace platform {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

TDestination Loopback(int port) { return ParseDestination("socket://127.0.0.1:" + std::to_string(port)); }

// The error text of a send, and how long it took to come.
struct TOutcome {
  std::string Error;
  Clock::duration Took;
};

TOutcome Send(const TDestination& destination, std::chrono::milliseconds timeout) {
  auto start = Clock::now();
  try {
    SendToSocket(destination, "^XA\r\n^XZ\r\n", timeout);
  } catch (const EPortError& e) {
    return {e.what(), Clock::now() - start};
  }
  return {"sent", Clock::now() - start};
}

TEST(SocketPrinter, TheJobArrivesWholeInOneConnection) {
  testsupport::TLoopbackListener printer;
  std::string job = "^XA\r\n^FD^FS\r\n^PQ2\r\n^XZ\r\n" + std::string(100000, 'x') + "\r\n";
  SendToSocket(Loopback(printer.Port()), job);
  EXPECT_EQ(printer.Received(1), std::vector<std::string>{job});
}

// "localhost" comes from the hosts file; where it also names ::1, that address refuses
// first and the next one is taken within the same time-out.
TEST(SocketPrinter, AHostNameIsLookedUp) {
  testsupport::TLoopbackListener printer;
  SendToSocket(ParseDestination("socket://localhost:" + std::to_string(printer.Port())), "^XA\r\n^XZ\r\n");
  EXPECT_EQ(printer.Received(1), std::vector<std::string>{"^XA\r\n^XZ\r\n"});
}

TEST(SocketPrinter, AnIPv6LoopbackAddressInBracketsIsTaken) {
  int probe = ::socket(AF_INET6, SOCK_STREAM, 0);
  if (probe < 0) GTEST_SKIP() << "this machine has no IPv6";
  ::close(probe);
  int port = 0;
  int bound = testsupport::BindLoopback(&port);  // IPv4 only: [::1] finds nobody there
  TOutcome outcome = Send(ParseDestination("socket://[::1]:" + std::to_string(port)), 2000ms);
  ::close(bound);
  EXPECT_TRUE(outcome.Error == "Connection refused by socket://[::1]:" + std::to_string(port) ||
              outcome.Error == "No route to socket://[::1]:" + std::to_string(port))
      << outcome.Error;
}

TEST(SocketPrinter, ARefusedPortIsReportedAtOnce) {
  int port = 0;
  int bound = testsupport::BindLoopback(&port);  // bound, so no one else takes it, but not listening
  TOutcome outcome = Send(Loopback(port), kPrinterTimeout);
  ::close(bound);
  EXPECT_EQ(outcome.Error, "Connection refused by socket://127.0.0.1:" + std::to_string(port));
  EXPECT_LT(outcome.Took, 4s);  // not the five seconds of a timeout
}

// A printer that takes no more connections: its accept backlog is full, so the
// handshake of one more never completes.
TEST(SocketPrinter, APrinterThatDoesNotAnswerTimesOut) {
  testsupport::TLoopbackListener busy(false, 0);
  busy.FillBacklog();
  TOutcome outcome = Send(Loopback(busy.Port()), 300ms);
  EXPECT_EQ(outcome.Error, "Timed out connecting to socket://127.0.0.1:" + std::to_string(busy.Port()));
  EXPECT_GE(outcome.Took, 300ms);
  EXPECT_LT(outcome.Took, 4s);  // the given wait, not the five seconds
}

TEST(SocketPrinter, ConnectAndSendEachGiveUpAfterFiveSeconds) { EXPECT_EQ(kPrinterTimeout, 5s); }

}  // namespace
}  // namespace platform
