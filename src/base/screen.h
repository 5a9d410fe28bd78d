// The screen's resolution, for surfaces that report none. The Qt layer installs a
// provider that asks the primary screen; without one (no GUI) the screen is 96 dpi.
#pragma once

#include <functional>

namespace platform {

constexpr int DefaultScreenPixelsPerInch = 96;

// Logical dots per inch of the screen, the same in both directions as on Windows.
int ScreenPixelsPerInch();

// Replaces the provider and returns the previous one; an empty provider restores 96.
std::function<int()> SetScreenPixelsPerInchProvider(std::function<int()> provider);

}  // namespace platform
