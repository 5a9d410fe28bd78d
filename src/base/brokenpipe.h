// Writing to a pipe or socket whose reader has gone raises SIGPIPE, whose default
// action ends the process. Ignored, the write fails with EPIPE instead and the
// operator sees an error text.
#pragma once

namespace platform {

// Sets SIGPIPE to be ignored while it has its default action; a handler the program
// installed is left alone. Cheap and safe to call before every port use.
void IgnoreBrokenPipeSignal();

}  // namespace platform
