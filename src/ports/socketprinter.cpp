#include "ports/socketprinter.h"

#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "base/ioerror.h"
#include "ports/porterror.h"

namespace platform {
namespace {

using Clock = std::chrono::steady_clock;

// A host name lookup that may outlive the wait for it: the looking-up thread owns
// its share and frees the answer whenever it ends.
struct TLookup {
  std::mutex Lock;
  std::condition_variable Done;
  bool Finished = false;
  int Status = 0;
  addrinfo* Addresses = nullptr;
  ~TLookup() {
    if (Addresses) freeaddrinfo(Addresses);
  }
};

std::shared_ptr<TLookup> LookUp(const TDestination& destination, Clock::time_point deadline) {
  auto lookup = std::make_shared<TLookup>();
  addrinfo hints{};
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_NUMERICHOST | AI_NUMERICSERV;
  std::string port = std::to_string(destination.Port);
  lookup->Status = getaddrinfo(destination.Host.c_str(), port.c_str(), &hints, &lookup->Addresses);
  if (lookup->Status == EAI_NONAME) {
    // A name: the resolver may wait on a name server, so it runs on a thread of its own.
    hints.ai_flags = AI_NUMERICSERV;
    lookup->Finished = false;
    std::thread([lookup, hints, host = destination.Host, port] {
      addrinfo* addresses = nullptr;
      int status = getaddrinfo(host.c_str(), port.c_str(), &hints, &addresses);
      std::lock_guard<std::mutex> guard(lookup->Lock);
      lookup->Status = status;
      lookup->Addresses = addresses;
      lookup->Finished = true;
      lookup->Done.notify_all();
    }).detach();
    std::unique_lock<std::mutex> guard(lookup->Lock);
    if (!lookup->Done.wait_until(guard, deadline, [&] { return lookup->Finished; }))
      throw EPortError("Timed out looking up the host of " + destination.Text);
  }
  if (lookup->Status != 0) throw EPortError("Host not found: " + destination.Text);
  return lookup;
}

int MillisecondsLeft(Clock::time_point deadline) {
  auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left > 0 ? static_cast<int>(left) : 0;
}

// Waits until the socket can be written; false when the deadline passed first.
bool WaitWritable(int handle, Clock::time_point deadline) {
  pollfd waiting{handle, POLLOUT, 0};
  for (;;) {
    int ready = poll(&waiting, 1, MillisecondsLeft(deadline));
    if (ready > 0) return true;
    if (ready == 0 && Clock::now() >= deadline) return false;
    if (ready == 0) continue;
    if (errno != EINTR) throw EInOutError(errno);
  }
}

class TSocket {
 public:
  explicit TSocket(int handle) : FHandle(handle) {}
  ~TSocket() {
    if (FHandle >= 0) ::close(FHandle);
  }
  TSocket(const TSocket&) = delete;
  TSocket& operator=(const TSocket&) = delete;
  int Handle() const { return FHandle; }

 private:
  int FHandle;
};

// The connection error of one address: 0 when connected, ETIMEDOUT when the deadline passed.
int ConnectTo(const TSocket& socket, const addrinfo& address, Clock::time_point deadline) {
  if (::connect(socket.Handle(), address.ai_addr, address.ai_addrlen) == 0) return 0;
  if (errno != EINPROGRESS) return errno;
  if (!WaitWritable(socket.Handle(), deadline)) return ETIMEDOUT;
  int error = 0;
  socklen_t size = sizeof error;
  if (getsockopt(socket.Handle(), SOL_SOCKET, SO_ERROR, &error, &size) != 0) return errno;
  return error;
}

std::string ConnectError(int error, const TDestination& destination) {
  switch (error) {
    case ECONNREFUSED:
      return "Connection refused by " + destination.Text;
    case ETIMEDOUT:
      return "Timed out connecting to " + destination.Text;
    case ENETUNREACH:
    case EHOSTUNREACH:
      return "No route to " + destination.Text;
    default:
      return IOErrorText(error) + " connecting to " + destination.Text;
  }
}

// Each address of the host in turn, all within the one deadline.
std::unique_ptr<TSocket> Connect(const addrinfo* addresses, const TDestination& destination,
                                 Clock::time_point deadline) {
  int error = ETIMEDOUT;
  for (const addrinfo* address = addresses; address && Clock::now() < deadline; address = address->ai_next) {
    int handle = ::socket(address->ai_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, address->ai_protocol);
    if (handle < 0) throw EInOutError(errno);
    auto socket = std::make_unique<TSocket>(handle);
    error = ConnectTo(*socket, *address, deadline);
    if (error == 0) return socket;
  }
  throw EPortError(ConnectError(error, destination));
}

void SendAll(const TSocket& socket, std::string_view job, const TDestination& destination,
             Clock::time_point deadline) {
  size_t done = 0;
  while (done < job.size()) {
    if (!WaitWritable(socket.Handle(), deadline)) throw EPortError("Timed out sending to " + destination.Text);
    ssize_t sent = ::send(socket.Handle(), job.data() + done, job.size() - done, MSG_NOSIGNAL);
    if (sent >= 0) {
      done += static_cast<size_t>(sent);
    } else if (errno == EPIPE || errno == ECONNRESET) {
      throw EPortError("Connection closed by " + destination.Text + " before the job was sent");
    } else if (errno != EINTR && errno != EAGAIN) {
      throw EPortError(IOErrorText(errno) + " sending to " + destination.Text);
    }
  }
  // Tells the printer the job is complete; the bytes still buffered go out after the close.
  ::shutdown(socket.Handle(), SHUT_WR);
}

}  // namespace

void SendToSocket(const TDestination& destination, std::string_view job, std::chrono::milliseconds timeout) {
  std::shared_ptr<TLookup> lookup = LookUp(destination, Clock::now() + timeout);
  std::unique_ptr<TSocket> socket = Connect(lookup->Addresses, destination, Clock::now() + timeout);
  SendAll(*socket, job, destination, Clock::now() + timeout);
}

}  // namespace platform
