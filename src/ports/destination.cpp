#include "ports/destination.h"

#include <cctype>
#include <fstream>
#include <sstream>
#include <string_view>

#include "ports/porterror.h"

namespace platform {
namespace {

constexpr int kRawPrintingPort = 9100;
constexpr int kIppPort = 631;
constexpr std::string_view kForms = "write socket://HOST:PORT, ipp://HOST/printers/QUEUE or cups:QUEUE";

struct TScheme {
  std::string_view Prefix;
  TDestinationScheme Scheme;
};
constexpr TScheme kSchemes[] = {
    {"socket://", TDestinationScheme::Socket},
    {"ipp://", TDestinationScheme::Ipp},
    {"cups:", TDestinationScheme::Cups},
};

std::string Trimmed(const std::string& text) {
  size_t first = 0, last = text.size();
  while (first < last && std::isspace(static_cast<unsigned char>(text[first]))) ++first;
  while (last > first && std::isspace(static_cast<unsigned char>(text[last - 1]))) --last;
  return text.substr(first, last - first);
}

[[noreturn]] void Fail(const std::string& fault, const std::string& text) {
  throw EPortError(fault + " in printer destination \"" + text + "\"");
}

int ParsePort(const std::string& digits, const std::string& text) {
  bool numeric = !digits.empty() && digits.size() <= 5;
  for (char c : digits) numeric = numeric && std::isdigit(static_cast<unsigned char>(c));
  int port = numeric ? std::stoi(digits) : 0;
  if (port < 1 || port > 65535) Fail("Invalid port \"" + digits + "\" (1 to 65535)", text);
  return port;
}

// "HOST", "HOST:PORT", "[IPV6]" or "[IPV6]:PORT" into the destination.
void ParseHostAndPort(const std::string& authority, int defaultPort, const std::string& text, TDestination& into) {
  std::string rest;
  if (!authority.empty() && authority[0] == '[') {
    size_t close = authority.find(']');
    if (close == std::string::npos) Fail("Missing \"]\" after the IPv6 address", text);
    into.Host = authority.substr(1, close - 1);
    rest = authority.substr(close + 1);
  } else {
    size_t colon = authority.find(':');
    into.Host = authority.substr(0, colon);
    if (colon != std::string::npos) rest = authority.substr(colon);
    if (rest.find(':', 1) != std::string::npos) Fail("An IPv6 address must be written in brackets", text);
  }
  if (into.Host.empty()) Fail("No host", text);
  if (!rest.empty() && rest[0] != ':') Fail("Unexpected \"" + rest + "\" after the host", text);
  into.Port = rest.empty() ? defaultPort : ParsePort(rest.substr(1), text);
}

void ParseQueue(const std::string& queue, const std::string& text, TDestination& into) {
  if (queue.empty()) Fail("No queue name", text);
  for (char c : queue)
    if (c == '/' || c == '#' || std::isspace(static_cast<unsigned char>(c)) || static_cast<unsigned char>(c) < ' ')
      Fail("Invalid queue name \"" + queue + "\"", text);
  into.Queue = queue;
}

void ParseIpp(const std::string& rest, const std::string& text, TDestination& into) {
  size_t slash = rest.find('/');
  ParseHostAndPort(rest.substr(0, slash), kIppPort, text, into);
  std::string path = slash == std::string::npos ? "" : rest.substr(slash);
  constexpr std::string_view kQueues = "/printers/";
  if (path.compare(0, kQueues.size(), kQueues) == 0) return ParseQueue(path.substr(kQueues.size()), text, into);
  Fail("No queue (ipp://HOST/printers/QUEUE)", text);
}

}  // namespace

TDestination ParseDestination(const std::string& written) {
  std::string text = Trimmed(written);
  if (text.empty()) throw EPortError("The printer destination is empty: " + std::string(kForms));
  if (text.find_first_of(" \t\r\n") != std::string::npos)
    throw EPortError("The printer destination \"" + text + "\" is not one line without blanks");
  for (const TScheme& scheme : kSchemes) {
    if (text.compare(0, scheme.Prefix.size(), scheme.Prefix) != 0) continue;
    TDestination destination;
    destination.Scheme = scheme.Scheme;
    destination.Text = text;
    std::string rest = text.substr(scheme.Prefix.size());
    switch (scheme.Scheme) {
      case TDestinationScheme::Socket:
        ParseHostAndPort(rest, kRawPrintingPort, text, destination);
        break;
      case TDestinationScheme::Ipp:
        ParseIpp(rest, text, destination);
        break;
      case TDestinationScheme::Cups:
        ParseQueue(rest, text, destination);
        break;
    }
    return destination;
  }
  throw EPortError("Unknown printer destination \"" + text + "\": " + std::string(kForms));
}

TDestination ReadDestinationFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw EPortError("Cannot read the printer destination file " + path);
  std::stringstream text;
  text << file.rdbuf();
  try {
    return ParseDestination(text.str());
  } catch (const EPortError& e) {
    throw EPortError(path + ": " + e.what());
  }
}

}  // namespace platform
