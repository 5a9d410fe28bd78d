// A small mutation fuzzer for targets written against the libFuzzer entry point.
// It runs in every test build, so the sanitizer build exercises each target for a
// bounded time; the same targets also link unchanged against libFuzzer.
//
// Usage: <target> [--seconds N] [--seed S] [--budget B] [seed files or directories...]
// Files given without a directory are run once each (to reproduce a finding).
//
// Besides crashes it finds slowness: an input that runs longer than the budget (B
// seconds, 0 for none) is a finding. It is written to slow-input-<n> in the working
// folder, its path and time are printed, and the run ends with kSlowInputStatus. An
// input still running at twice the budget is taken as hung: a watchdog thread reports
// it the same way and ends the process, since the input never returns.
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

using Bytes = std::vector<uint8_t>;
using Clock = std::chrono::steady_clock;

// Exit status of a run that found a slow or hung input (a crash ends with its signal);
// set by the build, whose tests check for it.
constexpr int kSlowInputStatus = FUZZ_SLOW_INPUT_STATUS;
// An input still running at this many budgets will not return: the watchdog ends the run.
constexpr double kHangBudgets = 2;
// How often the watchdog looks at the running input.
constexpr auto kWatchdogPoll = std::chrono::milliseconds(20);

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

Bytes ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Mutate(Bytes& data, const std::vector<Bytes>& corpus, std::mt19937_64& rng) {
  auto pick = [&](size_t n) { return n == 0 ? 0 : static_cast<size_t>(rng() % n); };
  static const uint32_t interesting[] = {0, 1, 0x7f, 0x80, 0xff, 0x7fff, 0x8000, 0xffff,
                                         0x7fffffff, 0x80000000u, 0xffffffffu, 16, 32, 64};
  int rounds = 1 + static_cast<int>(rng() % 8);
  for (int r = 0; r < rounds; ++r) {
    switch (rng() % 8) {
      case 0:  // flip a bit
        if (!data.empty()) data[pick(data.size())] ^= static_cast<uint8_t>(1u << (rng() % 8));
        break;
      case 1:  // random byte
        if (!data.empty()) data[pick(data.size())] = static_cast<uint8_t>(rng());
        break;
      case 2: {  // interesting 32-bit value, little-endian, at a 4-aligned or any offset
        if (data.size() < 4) break;
        uint32_t v = interesting[rng() % std::size(interesting)];
        size_t at = pick(data.size() - 3);
        if (rng() % 2) at &= ~size_t{3};
        std::memcpy(&data[at], &v, 4);
        break;
      }
      case 3:  // truncate
        data.resize(pick(data.size() + 1));
        break;
      case 4: {  // insert random bytes
        size_t at = pick(data.size() + 1);
        size_t n = 1 + pick(16);
        Bytes extra(n);
        for (auto& b : extra) b = static_cast<uint8_t>(rng());
        data.insert(data.begin() + static_cast<std::ptrdiff_t>(at), extra.begin(), extra.end());
        break;
      }
      case 5: {  // erase a chunk
        if (data.empty()) break;
        size_t at = pick(data.size());
        size_t n = std::min(data.size() - at, 1 + pick(32));
        data.erase(data.begin() + static_cast<std::ptrdiff_t>(at),
                   data.begin() + static_cast<std::ptrdiff_t>(at + n));
        break;
      }
      case 6: {  // duplicate a chunk
        if (data.empty() || data.size() > (1u << 20)) break;
        size_t at = pick(data.size());
        size_t n = std::min(data.size() - at, 1 + pick(64));
        Bytes chunk(data.begin() + static_cast<std::ptrdiff_t>(at),
                    data.begin() + static_cast<std::ptrdiff_t>(at + n));
        size_t to = pick(data.size() + 1);
        data.insert(data.begin() + static_cast<std::ptrdiff_t>(to), chunk.begin(), chunk.end());
        break;
      }
      case 7: {  // splice with another corpus entry
        if (corpus.empty()) break;
        const Bytes& other = corpus[pick(corpus.size())];
        if (other.empty()) break;
        size_t from = pick(other.size());
        size_t to = pick(data.size() + 1);
        data.resize(to);
        data.insert(data.end(), other.begin() + static_cast<std::ptrdiff_t>(from), other.end());
        break;
      }
    }
  }
}


// Writes a slow input where the run was started, so it can be run again by hand.
std::filesystem::path WriteSlowInput(const Bytes& input, unsigned long long number) {
  std::filesystem::path path = std::filesystem::absolute("slow-input-" + std::to_string(number));
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(input.data()), static_cast<std::streamsize>(input.size()));
  return path;
}

// Runs the inputs one at a time against the budget; a watchdog thread ends the process
// when an input hangs. The mutex keeps the running input alive while it is reported.
class TTimedRunner {
 public:
  explicit TTimedRunner(double budget) : FBudget(budget) {
    if (FBudget > 0) FWatchdog = std::thread([this] { Watch(); });
  }
  ~TTimedRunner() {
    if (!FWatchdog.joinable()) return;
    {
      std::lock_guard lock(FMutex);
      FStop = true;
    }
    FWake.notify_one();
    FWatchdog.join();
  }
  TTimedRunner(const TTimedRunner&) = delete;
  TTimedRunner& operator=(const TTimedRunner&) = delete;

  // False when the input ran longer than the budget (reported already).
  bool Run(const Bytes& input) {
    unsigned long long number;
    Clock::time_point start;
    {
      std::lock_guard lock(FMutex);
      number = FRunningNumber = FInputs++;
      FRunning = &input;
      start = FStart = Clock::now();
    }
    LLVMFuzzerTestOneInput(input.data(), input.size());
    double seconds = SecondsSince(start);
    {
      std::lock_guard lock(FMutex);
      FRunning = nullptr;
    }
    if (FBudget <= 0 || seconds <= FBudget) return true;
    std::filesystem::path path = WriteSlowInput(input, number);
    std::fprintf(stderr, "fuzz: slow input %s took %.3f s, budget %g s\n", path.c_str(), seconds, FBudget);
    return false;
  }

 private:
  void Watch() {
    const auto hang = std::chrono::duration<double>(kHangBudgets * FBudget);
    std::unique_lock lock(FMutex);
    while (!FWake.wait_for(lock, kWatchdogPoll, [this] { return FStop; })) {
      if (FRunning == nullptr || Clock::now() - FStart < hang) continue;
      std::filesystem::path path = WriteSlowInput(*FRunning, FRunningNumber);
      std::fprintf(stderr, "fuzz: hung input %s still running after %.3f s, budget %g s\n", path.c_str(),
                   SecondsSince(FStart), FBudget);
      std::fflush(stdout);
      std::_Exit(kSlowInputStatus);
    }
  }

  const double FBudget;
  std::mutex FMutex;
  std::condition_variable FWake;
  bool FStop = false;
  const Bytes* FRunning = nullptr;
  Clock::time_point FStart;
  unsigned long long FRunningNumber = 0;
  unsigned long long FInputs = 0;  // numbers the inputs, and so their report files
  std::thread FWatchdog;
};

}  // namespace

int main(int argc, char** argv) {
  double seconds = 10;
  double budget = 1;
  uint64_t seed = std::random_device{}();
  std::vector<Bytes> corpus;
  std::vector<Bytes> reproduce;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--seconds" && i + 1 < argc) {
      seconds = std::atof(argv[++i]);
    } else if (arg == "--budget" && i + 1 < argc) {
      budget = std::atof(argv[++i]);
    } else if (arg == "--seed" && i + 1 < argc) {
      seed = std::strtoull(argv[++i], nullptr, 10);
    } else if (std::filesystem::is_directory(arg)) {
      for (const auto& entry : std::filesystem::recursive_directory_iterator(arg))
        if (entry.is_regular_file()) corpus.push_back(ReadFile(entry.path()));
    } else {
      reproduce.push_back(ReadFile(arg));
    }
  }
  // Targets set themselves up at their first input (libFuzzer has no other hook in
  // common use); that set-up is not the inputs' time, so an empty input pays it untimed.
  static const uint8_t kNoByte = 0;
  LLVMFuzzerTestOneInput(&kNoByte, 0);
  TTimedRunner runner(budget);
  for (const Bytes& data : reproduce)
    if (!runner.Run(data)) return kSlowInputStatus;
  if (!reproduce.empty() && corpus.empty()) return 0;
  if (corpus.empty()) corpus.push_back({});

  std::printf("fuzz: seed %llu, %zu corpus entries, %.0f s, budget %g s per input\n",
              static_cast<unsigned long long>(seed), corpus.size(), seconds, budget);
  std::mt19937_64 rng(seed);
  for (const Bytes& entry : corpus)
    if (!runner.Run(entry)) return kSlowInputStatus;
  auto deadline = Clock::now() + std::chrono::duration<double>(seconds);
  unsigned long long runs = 0;
  while (Clock::now() < deadline) {
    Bytes data = corpus[rng() % corpus.size()];
    Mutate(data, corpus, rng);
    if (!runner.Run(data)) return kSlowInputStatus;
    // Keep some mutants as new starting points, so mutations can build on each other.
    if (rng() % 64 == 0 && corpus.size() < 4096) corpus.push_back(std::move(data));
    ++runs;
  }
  std::printf("fuzz: %llu runs, no failure\n", runs);
  return 0;
}
