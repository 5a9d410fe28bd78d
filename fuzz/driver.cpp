// A small mutation fuzzer for targets written against the libFuzzer entry point.
// It runs in every test build, so the sanitizer build exercises each target for a
// bounded time; the same targets also link unchanged against libFuzzer.
//
// Usage: <target> [--seconds N] [--seed S] [seed files or directories...]
// Files given without a directory are run once each (to reproduce a crash).
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

using Bytes = std::vector<uint8_t>;

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

}  // namespace

int main(int argc, char** argv) {
  double seconds = 10;
  uint64_t seed = std::random_device{}();
  std::vector<Bytes> corpus;
  bool ranFiles = false;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--seconds" && i + 1 < argc) {
      seconds = std::atof(argv[++i]);
    } else if (arg == "--seed" && i + 1 < argc) {
      seed = std::strtoull(argv[++i], nullptr, 10);
    } else if (std::filesystem::is_directory(arg)) {
      for (const auto& entry : std::filesystem::recursive_directory_iterator(arg))
        if (entry.is_regular_file()) corpus.push_back(ReadFile(entry.path()));
    } else {
      Bytes data = ReadFile(arg);
      LLVMFuzzerTestOneInput(data.data(), data.size());
      ranFiles = true;
    }
  }
  if (ranFiles && corpus.empty()) return 0;
  if (corpus.empty()) corpus.push_back({});

  std::printf("fuzz: seed %llu, %zu corpus entries, %.0f s\n", static_cast<unsigned long long>(seed),
              corpus.size(), seconds);
  std::mt19937_64 rng(seed);
  for (const Bytes& entry : corpus) LLVMFuzzerTestOneInput(entry.data(), entry.size());
  auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  unsigned long long runs = 0;
  while (std::chrono::steady_clock::now() < deadline) {
    Bytes data = corpus[rng() % corpus.size()];
    Mutate(data, corpus, rng);
    LLVMFuzzerTestOneInput(data.data(), data.size());
    // Keep some mutants as new starting points, so mutations can build on each other.
    if (rng() % 64 == 0 && corpus.size() < 4096) corpus.push_back(std::move(data));
    ++runs;
  }
  std::printf("fuzz: %llu runs, no failure\n", runs);
  return 0;
}
