// Refused locks: another connection holds the write lock (or is recovering the
// file), so SQLite answers SQLITE_BUSY. We wait and try again a set number of
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

// Runs attempt until it answers something other than busy. After a busy answer
// it waits up to WaitMilliseconds, RetryCount times over, before giving up and
// returning the last answer. During a wait it keeps watching the lock and
// takes it the moment it is free: another program that posts row after row
// frees its lock only for a moment between two posts, and a cursor that looked
// only once every wait would almost always miss that moment.
int RetryWhileBusy(const TLockPolicy& policy, const std::function<int()>& attempt);

// The message for a lock still refused after every wait.
std::string LockRefusedMessage(const std::string& file, const TLockPolicy& policy);

}  // namespace tables::detail
