#include "ports/cupsprinter.h"

#include <cups/cups.h>

#include <memory>

#include "ports/porterror.h"

namespace platform {
namespace {

struct THttpClose {
  void operator()(http_t* http) const { httpClose(http); }
};
using THttp = std::unique_ptr<http_t, THttpClose>;

THttp ConnectToServer(const TDestination& destination, std::chrono::milliseconds timeout) {
  bool local = destination.Scheme == TDestinationScheme::Cups;
  std::string host = local ? cupsServer() : destination.Host;
  int port = local ? ippPort() : destination.Port;
  int milliseconds = static_cast<int>(timeout.count());
  THttp http(httpConnect2(host.c_str(), port, nullptr, AF_UNSPEC, cupsEncryption(), 1, milliseconds, nullptr));
  if (!http) throw EPortError("Cannot reach the CUPS server " + host + " for " + destination.Text);
  // Without a callback an exchange that waits longer fails instead of waiting on.
  httpSetTimeout(http.get(), static_cast<double>(milliseconds) / 1000.0, nullptr, nullptr);
  return http;
}

void CheckQueueTakesJobs(http_t* http, const TDestination& destination) {
  cups_dest_t* queue = cupsGetNamedDest(http, destination.Queue.c_str(), nullptr);
  if (!queue) throw EPortError("CUPS queue \"" + destination.Queue + "\" not found (" + destination.Text + ")");
  const char* state = cupsGetOption("printer-state", queue->num_options, queue->options);
  const char* accepting = cupsGetOption("printer-is-accepting-jobs", queue->num_options, queue->options);
  bool stopped = state && std::string(state) == std::to_string(IPP_PSTATE_STOPPED);
  bool refusing = accepting && std::string(accepting) == "false";
  cupsFreeDests(1, queue);
  if (stopped) throw EPortError("CUPS queue \"" + destination.Queue + "\" is stopped (" + destination.Text + ")");
  if (refusing)
    throw EPortError("CUPS queue \"" + destination.Queue + "\" is not accepting jobs (" + destination.Text + ")");
}

[[noreturn]] void Refused(http_t* http, const TDestination& destination, int job) {
  std::string reason = cupsLastErrorString() ? cupsLastErrorString() : "no reason given";
  if (job > 0) cupsCancelJob2(http, destination.Queue.c_str(), job, 0);
  throw EPortError("CUPS did not take the job for " + destination.Text + ": " + reason);
}

}  // namespace

void SendToCups(const TDestination& destination, std::string_view job, const std::string& title,
                std::chrono::milliseconds timeout) {
  THttp http = ConnectToServer(destination, timeout);
  CheckQueueTakesJobs(http.get(), destination);
  const char* queue = destination.Queue.c_str();
  int id = cupsCreateJob(http.get(), queue, title.c_str(), 0, nullptr);
  if (id == 0) Refused(http.get(), destination, id);
  if (cupsStartDocument(http.get(), queue, id, title.c_str(), CUPS_FORMAT_RAW, 1) != HTTP_STATUS_CONTINUE)
    Refused(http.get(), destination, id);
  if (cupsWriteRequestData(http.get(), job.data(), job.size()) != HTTP_STATUS_CONTINUE)
    Refused(http.get(), destination, id);
  if (cupsFinishDocument(http.get(), queue) != IPP_STATUS_OK) Refused(http.get(), destination, id);
}

}  // namespace platform
