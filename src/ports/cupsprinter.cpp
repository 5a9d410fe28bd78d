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
  THttp http = ConnectToServer(destination, timeout);
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
