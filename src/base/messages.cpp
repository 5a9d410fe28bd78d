#include "base/messages.h"

#include <cstdio>
#include <exception>
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

bool Guarded(const std::function<void()>& handler) {
  std::string message;
  try {
    handler();
    return true;
  } catch (const std::exception& error) {
    message = error.what();
  } catch (...) {
    message = kUnknownErrorText;
  }
  // Shown outside the handler, so a display that runs a modal loop holds no exception.
  ShowMessage(message);
  return false;
}

}  // namespace platform
