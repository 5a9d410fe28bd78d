// A TCP listener on 127.0.0.1 standing for a network printer's raw port: it accepts
// connections one after another and keeps the bytes of each until its peer closed.
// Only loopback; it stops with the test.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace testsupport {

// A socket bound to a free loopback port, not yet listening.
inline int BindLoopback(int* port) {
  int handle = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  if (handle < 0 || ::bind(handle, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
      ::getsockname(handle, reinterpret_cast<sockaddr*>(&address), &size) != 0)
    throw std::runtime_error("cannot bind a loopback socket");
  *port = ntohs(address.sin_port);
  return handle;
}

class TLoopbackListener {
 public:
  // With accepting false nobody accepts: connections wait in the backlog, which a
  // backlog of 0 keeps to the kernel's minimum.
  explicit TLoopbackListener(bool accepting = true, int backlog = 8) : FHandle(BindLoopback(&FPort)) {
    if (::listen(FHandle, backlog) != 0) throw std::runtime_error("cannot listen on loopback");
    if (accepting) FThread = std::thread([this] { AcceptUntilStopped(); });
  }
  ~TLoopbackListener() {
    FStop = true;
    if (FThread.joinable()) FThread.join();
    for (int client : FWaiting) ::close(client);
    ::close(FHandle);
  }
  TLoopbackListener(const TLoopbackListener&) = delete;
  TLoopbackListener& operator=(const TLoopbackListener&) = delete;

  int Port() const { return FPort; }

  // For a listener that does not accept: connections that fill its backlog, so the
  // handshake of one more never completes. They close with the listener.
  void FillBacklog() {
    for (int i = 0; i < 8; ++i) {
      const int client = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
      sockaddr_in address{};
      address.sin_family = AF_INET;
      address.sin_port = htons(static_cast<uint16_t>(FPort));
      address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
      ::connect(client, reinterpret_cast<sockaddr*>(&address), sizeof address);
      FWaiting.push_back(client);
    }
  }
  std::string Uri() const { return "socket://127.0.0.1:" + std::to_string(FPort); }

  // What each finished connection sent, once count of them finished or the wait ended.
  std::vector<std::string> Received(size_t count, std::chrono::milliseconds wait = std::chrono::seconds(10)) {
    std::unique_lock<std::mutex> guard(FLock);
    FArrived.wait_for(guard, wait, [&] { return FConnections.size() >= count; });
    return FConnections;
  }

 private:
  bool WaitReadable(int handle) const {
    pollfd waiting{handle, POLLIN, 0};
    while (!FStop)
      if (::poll(&waiting, 1, 20) > 0) return true;
    return false;
  }

  void AcceptUntilStopped() {
    while (WaitReadable(FHandle)) {
      int connection = ::accept4(FHandle, nullptr, nullptr, SOCK_CLOEXEC);
      if (connection < 0) continue;
      std::string bytes;
      char buffer[4096];
      ssize_t n = 0;
      while (WaitReadable(connection) && (n = ::read(connection, buffer, sizeof buffer)) > 0)
        bytes.append(buffer, static_cast<size_t>(n));
      ::close(connection);
      std::lock_guard<std::mutex> guard(FLock);
      FConnections.push_back(bytes);
      FArrived.notify_all();
    }
  }

  int FPort = 0;
  int FHandle;
  std::atomic<bool> FStop = false;
  std::thread FThread;
  std::mutex FLock;
  std::condition_variable FArrived;
  std::vector<std::string> FConnections;
  std::vector<int> FWaiting;
};

}  // namespace testsupport
