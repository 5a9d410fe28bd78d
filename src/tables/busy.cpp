#include "tables/busy.h"

#include <sqlite3.h>

#include <chrono>
#include <thread>

namespace tables::detail {

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kWatchInterval = std::chrono::milliseconds(1);

int WatchDuringWait(int milliseconds, const std::function<int()>& attempt) {
  const auto end = Clock::now() + std::chrono::milliseconds(milliseconds);
  int rc;
  do {
    std::this_thread::sleep_for(std::min<Clock::duration>(kWatchInterval, end - Clock::now()));
    rc = attempt();
  } while (IsBusy(rc) && Clock::now() < end);
  return rc;
}

}  // namespace

bool IsBusy(int resultCode) { return (resultCode & 0xFF) == SQLITE_BUSY; }

int RetryWhileBusy(const TLockPolicy& policy, const std::function<int()>& attempt) {
  int rc = attempt();
  for (int retry = 0; retry < policy.RetryCount && IsBusy(rc); ++retry) {
    rc = WatchDuringWait(policy.WaitMilliseconds, attempt);
  }
  return rc;
}

std::string LockRefusedMessage(const std::string& file, const TLockPolicy& policy) {
  return "Table " + file + " is locked by another user (still locked after " + std::to_string(policy.RetryCount) +
         " waits of " + std::to_string(policy.WaitMilliseconds) + " ms)";
}

}  // namespace tables::detail
