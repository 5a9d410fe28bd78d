// Printer destinations as written in a port's ".uri" file: the forms taken and the faults named.
#include "ports/destination.h"

#include <gtest/gtest.h>

#include <fstream>

#include "ports/porterror.h"
#include "support/tempdir.h"

namespace platform {
namespace {

using S = TDestinationScheme;

TEST(Destination, TakesTheThreeForms) {
  struct Case {
    const char* text;
    S scheme;
    const char* host;
    int port;
    const char* queue;
  };
  for (const Case& c : {
           Case{"socket://127.0.0.1:9101", S::Socket, "127.0.0.1", 9101, ""},
           Case{"socket://zebra.shop.example", S::Socket, "zebra.shop.example", 9100, ""},
           Case{"socket://[::1]:6101", S::Socket, "::1", 6101, ""},
           Case{"socket://[fe80::1]", S::Socket, "fe80::1", 9100, ""},
           Case{"  socket://localhost:1\n", S::Socket, "localhost", 1, ""},
           Case{"ipp://printserver/printers/Zebra", S::Ipp, "printserver", 631, "Zebra"},
           Case{"ipp://[::1]:8631/printers/labels", S::Ipp, "::1", 8631, "labels"},
           Case{"cups:Zebra_GK420", S::Cups, "", 0, "Zebra_GK420"},
       }) {
    TDestination destination = ParseDestination(c.text);
    EXPECT_EQ(destination.Scheme, c.scheme) << c.text;
    EXPECT_EQ(destination.Host, c.host) << c.text;
    EXPECT_EQ(destination.Port, c.port) << c.text;
    EXPECT_EQ(destination.Queue, c.queue) << c.text;
  }
  EXPECT_EQ(ParseDestination(" cups:Zebra\r\n").Text, "cups:Zebra");
}

TEST(Destination, NamesWhatIsWrong) {
  struct Case {
    const char* text;
    const char* message;
  };
  const char* forms = "write socket://HOST:PORT, ipp://HOST/printers/QUEUE or cups:QUEUE";
  for (const Case& c : {
           Case{"", "The printer destination is empty: "},
           Case{" \n", "The printer destination is empty: "},
           Case{"lpd://server/queue", "Unknown printer destination \"lpd://server/queue\": "},
           Case{"/dev/usb/lp0", "Unknown printer destination \"/dev/usb/lp0\": "},
           Case{"socket://", "No host in printer destination \"socket://\""},
           Case{"socket://:9100", "No host in printer destination \"socket://:9100\""},
           Case{"socket://[]:9100", "No host in printer destination \"socket://[]:9100\""},
           Case{"socket://host:0", "Invalid port \"0\" (1 to 65535) in printer destination \"socket://host:0\""},
           Case{"socket://host:65536",
                "Invalid port \"65536\" (1 to 65535) in printer destination \"socket://host:65536\""},
           Case{"socket://host:", "Invalid port \"\" (1 to 65535) in printer destination \"socket://host:\""},
           Case{"socket://host:91a", "Invalid port \"91a\" (1 to 65535) in printer destination \"socket://host:91a\""},
           Case{"socket://::1:9100",
                "An IPv6 address must be written in brackets in printer destination \"socket://::1:9100\""},
           Case{"socket://[::1", "Missing \"]\" after the IPv6 address in printer destination \"socket://[::1\""},
           Case{"socket://[::1]x", "Unexpected \"x\" after the host in printer destination \"socket://[::1]x\""},
           Case{"socket://host:9100/raw",
                "Invalid port \"9100/raw\" (1 to 65535) in printer destination \"socket://host:9100/raw\""},
           Case{"socket://a\nsocket://b",
                "The printer destination \"socket://a\nsocket://b\" is not one line without blanks"},
           Case{"ipp://server", "No queue (ipp://HOST/printers/QUEUE) in printer destination \"ipp://server\""},
           Case{"ipp://server/classes/labels",
                "No queue (ipp://HOST/printers/QUEUE) in printer destination \"ipp://server/classes/labels\""},
           Case{"ipp:///printers/Zebra", "No host in printer destination \"ipp:///printers/Zebra\""},
           Case{"cups:", "No queue name in printer destination \"cups:\""},
           Case{"cups:a/b", "Invalid queue name \"a/b\" in printer destination \"cups:a/b\""},
       }) {
    try {
      ParseDestination(c.text);
      ADD_FAILURE() << "taken: " << c.text;
    } catch (const EPortError& e) {
      std::string expected = c.message;
      if (expected.back() == ' ') expected += forms;
      EXPECT_EQ(e.what(), expected) << c.text;
    }
  }
}

TEST(Destination, AFileThatHoldsNoneIsNamedInTheMessage) {
  testsupport::TTempDir temp;
  std::ofstream(temp.File("LPT2.uri")) << "\n";
  try {
    ReadDestinationFile(temp.File("LPT2.uri"));
    ADD_FAILURE() << "an empty file was taken";
  } catch (const EPortError& e) {
    EXPECT_EQ(std::string(e.what()).rfind(temp.File("LPT2.uri") + ": The printer destination is empty", 0), 0u)
        << e.what();
  }
  std::ofstream(temp.File("LPT3.uri")) << "socket://[::1]:9101\n";
  EXPECT_EQ(ReadDestinationFile(temp.File("LPT3.uri")).Port, 9101);
}

}  // namespace
}  // namespace platform
