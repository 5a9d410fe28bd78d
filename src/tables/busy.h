// Refused locks: another connection holds the write lock (or is recovering the
// file), so SQLite answers SQLITE_BUSY. We wait and try again a fixed number of
// times rather than blocking inside SQLite, so the wait is the cursor's setting
// and the final error can say what happened.
#pragma once

#include <functional>
#include <string>

namespace tables::detail {

struct TLockPolicy {
  int RetryCount = 15;
  int WaitMilliseconds = 100;
};

bool IsBusy(int resultCode);

// Runs attempt until it answers something other than busy, at most
// 1 + RetryCount times with WaitMilliseconds between; returns the last answer.
int RetryWhileBusy(const TLockPolicy& policy, const std::function<int()>& attempt);

// The message for a lock still refused after every retry.
std::string LockRefusedMessage(const std::string& file, const TLockPolicy& policy);

}  // namespace tables::detail
