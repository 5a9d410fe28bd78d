// A FIFO with no writer, and a guard for code that must not block on it: the code runs
// on a thread, and if it has not returned in time the guard opens the FIFO's other end
// itself, so that a blocked open returns and the test fails instead of hanging.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <future>
#include <stdexcept>
#include <string>

namespace testsupport {

inline void MakeFifo(const std::string& path) {
  if (::mkfifo(path.c_str(), 0600) != 0) throw std::runtime_error("cannot make the FIFO " + path);
}

// True when work returned (or raised) within the timeout.
inline bool ReturnsWithin(std::chrono::milliseconds timeout, const std::string& fifo, const std::function<void()>& work) {
  std::future<void> done = std::async(std::launch::async, work);
  if (done.wait_for(timeout) == std::future_status::ready) return true;
  int writer = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);  // releases a reader blocked in open
  done.wait();
  if (writer >= 0) ::close(writer);
  return false;
}

}  // namespace testsupport
