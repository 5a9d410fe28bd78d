// The replaceable confirmation: a question the operator answers with OK or Cancel
// (tests answer it themselves).
#pragma once

#include <functional>
#include <string>

namespace controls {

using TConfirmHandler = std::function<bool(const std::string& question)>;

// True when the operator agreed.
bool Confirm(const std::string& question);

// Returns the previous handler. An empty handler restores the default, a modal message box.
TConfirmHandler SetConfirmHandler(TConfirmHandler handler);

}  // namespace controls
