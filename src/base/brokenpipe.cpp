#include "base/brokenpipe.h"

#include <signal.h>

namespace platform {

void IgnoreBrokenPipeSignal() {
  struct sigaction current {};
  if (sigaction(SIGPIPE, nullptr, &current) != 0) return;
  bool ownHandler = (current.sa_flags & SA_SIGINFO) != 0 || current.sa_handler != SIG_DFL;
  if (ownHandler) return;
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  sigemptyset(&ignore.sa_mask);
  sigaction(SIGPIPE, &ignore, nullptr);
}

}  // namespace platform
