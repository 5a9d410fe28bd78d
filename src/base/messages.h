// Operator messages: one replaceable display for every modal "OK" message box and
// for errors that reach the default error display.
#pragma once

#include <functional>
#include <string>

namespace platform {

using TMessageHandler = std::function<void(const std::string& text)>;

// Shows the text and returns when the operator has acknowledged it.
void ShowMessage(const std::string& text);

// Replaces the display (the program installs a message box; tests capture the texts).
// Returns the previous handler. An empty handler restores the default, which writes to stderr.
TMessageHandler SetMessageHandler(TMessageHandler handler);

// Shown for an exception that carries no message of ours.
inline constexpr const char* kUnknownErrorText = "An unknown error occurred";

// The default error display: runs the handler, and an exception it throws is shown
// with its message and goes no further (the window stays as the handler left it).
// True when the handler ran through.
bool Guarded(const std::function<void()>& handler);

}  // namespace platform
