// Captures what reaches the message display while a test runs, and restores the display after.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "base/messages.h"

namespace controls::test {

class TCapturedMessages {
 public:
  TCapturedMessages()
      : FPrevious(platform::SetMessageHandler([this](const std::string& text) { Texts.push_back(text); })) {}
  ~TCapturedMessages() { platform::SetMessageHandler(FPrevious); }
  TCapturedMessages(const TCapturedMessages&) = delete;
  TCapturedMessages& operator=(const TCapturedMessages&) = delete;

  std::vector<std::string> Take() { return std::exchange(Texts, {}); }
  std::vector<std::string> Texts;

 private:
  platform::TMessageHandler FPrevious;
};

}  // namespace controls::test
