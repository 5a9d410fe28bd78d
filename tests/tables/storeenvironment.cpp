// The store suite on the server needs the private server: without it every test
// skips with the reason, and fails on CI.
#include <gtest/gtest.h>

#include "support.h"

namespace tables::test {
namespace {

class TServerEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    if (SuiteOnServer()) SKIP_OR_FAIL_WHEN_MISSING(SuiteServer().Failure());
  }
};

[[maybe_unused]] const auto* const kServerEnvironment = ::testing::AddGlobalTestEnvironment(new TServerEnvironment);

}  // namespace
}  // namespace tables::test
