#include "base/messages.h"

#include <cstdio>
#include <utility>

namespace platform {
namespace {

void WriteToStderr(const std::string& text) { std::fprintf(stderr, "%s\n", text.c_str()); }

TMessageHandler& CurrentHandler() {
  static TMessageHandler handler = WriteToStderr;
  return handler;
}

}  // namespace

void ShowMessage(const std::string& text) { CurrentHandler()(text); }

TMessageHandler SetMessageHandler(TMessageHandler handler) {
  if (!handler) handler = WriteToStderr;
  return std::exchange(CurrentHandler(), std::move(handler));
}

}  // namespace platform
