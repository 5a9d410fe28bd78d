// Whether the tests run on CI, where a missing tool is a failure rather than a skip.
#pragma once

#include <cstdlib>
#include <string>

namespace testsupport {

// True on CI (CI=true), where the scripts install every tool the tests use.
inline bool InCi() {
  const char* ci = std::getenv("CI");
  return ci && std::string(ci) == "true";
}

}  // namespace testsupport

// Ends a test's set-up when something it needs is missing (the reason, empty when
// nothing is): it skips with the reason, and fails on CI.
#define SKIP_OR_FAIL_WHEN_MISSING(missing)                     \
  do {                                                         \
    const std::string reasonMissing = (missing);               \
    if (!reasonMissing.empty()) {                              \
      if (testsupport::InCi()) FAIL() << reasonMissing;        \
      GTEST_SKIP() << reasonMissing;                           \
    }                                                          \
  } while (false)
