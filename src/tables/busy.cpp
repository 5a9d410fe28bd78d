#include "tables/busy.h"

#include <sqlite3.h>

#include <chrono>
#include <thread>

namespace tables::detail {

bool IsBusy(int resultCode) { return (resultCode & 0xFF) == SQLITE_BUSY; }

int RetryWhileBusy(const TLockPolicy& policy, const std::function<int()>& attempt) {
  int rc = attempt();
  for (int retry = 0; retry < policy.RetryCount && IsBusy(rc); ++retry) {
    std::this_thread::sleep_for(std::chrono::milliseconds(policy.WaitMilliseconds));
    rc = attempt();
  }
  return rc;
}

std::string LockRefusedMessage(const std::string& file, const TLockPolicy& policy) {
  return "Table " + file + " is locked by another user (gave up after " +
         std::to_string(policy.RetryCount) + " retries, " + std::to_string(policy.WaitMilliseconds) +
         " ms apart)";
}

}  // namespace tables::detail
