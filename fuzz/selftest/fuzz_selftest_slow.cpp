// A fuzz target for the driver's own tests: the input "slow" takes 1.5 s and "hang"
// never returns; every other input returns at once. With a budget of 1 s the driver
// must report the first as slow and the second as hung.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <thread>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  if (input == "slow") std::this_thread::sleep_for(std::chrono::milliseconds(1500));
  if (input == "hang")
    for (;;) std::this_thread::sleep_for(std::chrono::hours(1));
  return 0;
}
