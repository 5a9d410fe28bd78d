#include "ports/cupsprinter.h"

#include <cups/cups.h>

#include <cerrno>
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
  return http;
}

using Clock = std::chrono::steady_clock;

// How often a waiting exchange looks at its deadline.
constexpr double kDeadlineCheckSeconds = 0.1;

// Called by libcups each time a wait passes the check interval: go on waiting until the deadline.
int WaitsUntilDeadline(http_t*, void* deadline) {
  return Clock::now() < *static_cast<const Clock::time_point*>(deadline) ? 1 : 0;
}

// libcups reports a broken exchange like any refusal; the connection tells them apart.
void CheckConnection(http_t* http, const TDestination& destination) {
  int error = httpError(http);
  if (error == ETIMEDOUT) throw EPortError("Timed out talking to the CUPS server for " + destination.Text);
  if (error != 0) throw EPortError("Lost the connection to the CUPS server for " + destination.Text);
}

void CheckQueueTakesJobs(http_t* http, const TDestination& destination) {
  cups_dest_t* queue = cupsGetNamedDest(http, destination.Queue.c_str(), nullptr);
  if (!queue) {
    CheckConnection(http, destination);
    throw EPortError("CUPS queue \"" + destination.Queue + "\" not found (" + destination.Text + ")");
  }
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
  // Over a broken connection CUPS drops the unfinished job itself.
  CheckConnection(http, destination);
  const char* reason = cupsLastErrorString();
  std::string message = "CUPS did not take the job for " + destination.Text + ": " + (reason ? reason : "no reason");
  if (job > 0) cupsCancelJob2(http, destination.Queue.c_str(), job, 0);  // no half job is printed
  throw EPortError(message);
}

struct TIppDelete {
  void operator()(ipp_t* ipp) const { ippDelete(ipp); }
};
using TIpp = std::unique_ptr<ipp_t, TIppDelete>;

// The job's number, from a Create-Job request that names the queue's server as the client sees it.
int CreateJob(http_t* http, const TDestination& destination, const std::string& title) {
  bool local = destination.Scheme == TDestinationScheme::Cups;
  char uri[HTTP_MAX_URI];
  httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr,
                   local ? "localhost" : destination.Host.c_str(), local ? ippPort() : destination.Port,
                   "/printers/%s", destination.Queue.c_str());
  ipp_t* request = ippNewRequest(IPP_OP_CREATE_JOB);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr, title.c_str());
  std::string resource = "/printers/" + destination.Queue;
  TIpp response(cupsDoRequest(http, request, resource.c_str()));  // takes the request
  ipp_attribute_t* id = response ? ippFindAttribute(response.get(), "job-id", IPP_TAG_INTEGER) : nullptr;
  if (!id || cupsLastError() > IPP_STATUS_OK_CONFLICTING) Refused(http, destination, 0);
  return ippGetInteger(id, 0);
}

}  // namespace

void SendToCups(const TDestination& destination, std::string_view job, const std::string& title,
                std::chrono::milliseconds timeout) {
  Clock::time_point deadline;
  THttp http = ConnectToServer(destination, timeout);
  // Every exchange after the connection together, the queue check and the job, within one time-out.
  deadline = Clock::now() + timeout;
  httpSetTimeout(http.get(), kDeadlineCheckSeconds, WaitsUntilDeadline, &deadline);
  CheckQueueTakesJobs(http.get(), destination);
  int id = CreateJob(http.get(), destination, title);
  const char* queue = destination.Queue.c_str();
  // The one document of the job, raw: CUPS passes it to the printer unchanged.
  if (cupsStartDocument(http.get(), queue, id, title.c_str(), CUPS_FORMAT_RAW, 1) != HTTP_STATUS_CONTINUE ||
      cupsWriteRequestData(http.get(), job.data(), job.size()) != HTTP_STATUS_CONTINUE ||
      cupsFinishDocument(http.get(), queue) > IPP_STATUS_OK_CONFLICTING)
    Refused(http.get(), destination, id);
}

}  // namespace platform
