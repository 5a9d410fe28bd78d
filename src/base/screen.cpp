#include "base/screen.h"

#include <utility>

namespace platform {
namespace {

int DefaultProvider() { return DefaultScreenPixelsPerInch; }

std::function<int()>& Provider() {
  static std::function<int()> provider = DefaultProvider;
  return provider;
}

}  // namespace

int ScreenPixelsPerInch() { return Provider()(); }

std::function<int()> SetScreenPixelsPerInchProvider(std::function<int()> provider) {
  if (!provider) provider = DefaultProvider;
  return std::exchange(Provider(), std::move(provider));
}

}  // namespace platform
