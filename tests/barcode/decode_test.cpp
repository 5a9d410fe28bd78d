// Decodability: random valid code texts are encoded, the modules are drawn as a
// plain image with quiet zones, and an independent reader (zxing-cpp) must read
// back the data and check characters that the engine put into EncodedText.
#include <gtest/gtest.h>

#include <ZXing/ReadBarcode.h>

#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "encode_helpers.h"

namespace barcode {
namespace {

constexpr int kPixelsPerModule = 3;
constexpr int kQuietModules = 12;
constexpr int kHeight = 50;
constexpr int kInputsPerCase = 300;

std::string Read(const TLLBarcode& b, ZXing::BarcodeFormat format, bool addon) {
  int width = (b.ModuleCount + 2 * kQuietModules) * kPixelsPerModule;
  std::vector<uint8_t> image(static_cast<size_t>(width * kHeight), 255);
  for (int y = 0; y < kHeight; ++y) {
    for (int m = 0; m < b.ModuleCount; ++m) {
      if (!b.Modules[m]) continue;
      for (int k = 0; k < kPixelsPerModule; ++k) image[y * width + (kQuietModules + m) * kPixelsPerModule + k] = 0;
    }
  }
  ZXing::DecodeHints hints;
  hints.setFormats(format);
  hints.setEanAddOnSymbol(addon ? ZXing::EanAddOnSymbol::Require : ZXing::EanAddOnSymbol::Ignore);
  hints.setReturnCodabarStartEnd(true);
  ZXing::Result result = ZXing::ReadBarcode({image.data(), width, kHeight, ZXing::ImageFormat::Lum}, hints);
  return result.isValid() ? result.text() : "(not read)";
}

using TRandom = std::mt19937;

std::string RandomFrom(TRandom& rng, std::string_view chars, size_t minLength, size_t maxLength) {
  std::string text(std::uniform_int_distribution<size_t>(minLength, maxLength)(rng), ' ');
  for (char& c : text) c = chars[std::uniform_int_distribution<size_t>(0, chars.size() - 1)(rng)];
  return text;
}

std::string RandomBytes(TRandom& rng, int first, int last, size_t minLength, size_t maxLength) {
  std::string text(std::uniform_int_distribution<size_t>(minLength, maxLength)(rng), ' ');
  for (char& c : text) c = static_cast<char>(std::uniform_int_distribution<int>(first, last)(rng));
  return text;
}

constexpr std::string_view kDigits = "0123456789";

struct DecodeCase {
  const char* name;
  btCodeTypes type;
  ZXing::BarcodeFormat format;
  std::function<std::string(TRandom&)> caption;
  size_t addonLength;
  // What the reader must return, from the engine's result and the code text.
  std::function<std::string(const TLLBarcode&, const std::string&)> expected;
};

std::string Encoded(const TLLBarcode& b, const std::string&) { return b.EncodedText; }
std::string WithoutFrame(const TLLBarcode& b, const std::string&) {
  std::string text = b.EncodedText;
  return text.substr(1, text.size() - 2);
}
std::string Caption(const TLLBarcode&, const std::string& caption) { return caption; }

std::function<std::string(TRandom&)> Digits(size_t minLength, size_t maxLength) {
  return [=](TRandom& rng) { return RandomFrom(rng, kDigits, minLength, maxLength); };
}

void PrintTo(const DecodeCase& c, std::ostream* os) { *os << c.name; }

class Decode : public testing::TestWithParam<DecodeCase> {};

TEST_P(Decode, ReaderReturnsTheEncodedCharacters) {
  const DecodeCase& c = GetParam();
  TRandom rng(20240601u + static_cast<unsigned>(c.type) * 7919u + static_cast<unsigned>(c.addonLength));
  int failures = 0;
  for (int i = 0; i < kInputsPerCase && failures < 5; ++i) {
    std::string caption = c.caption(rng);
    std::string addon = RandomFrom(rng, kDigits, c.addonLength, c.addonLength);
    btCodeRatio ratio = i % 2 == 0 ? Ratio_3 : Ratio_2;
    TLLBarcode b = test::Encoded(c.type, caption, ratio, addon);
    std::string expected = c.expected(b, caption) + (addon.empty() ? "" : " " + addon);
    std::string read = Read(b, c.format, !addon.empty());
    if (read != expected) {
      ++failures;
      ADD_FAILURE() << c.name << " input '" << testing::PrintToString(caption) << "' ratio " << int(ratio)
                    << ": read " << testing::PrintToString(read) << ", expected " << testing::PrintToString(expected);
    }
  }
}

// Code 128 set A: bytes 96 to 127 encode the values 64 to 95, the control characters 0 to 31.
std::string SetAData(const TLLBarcode&, const std::string& caption) {
  std::string data;
  for (char c : caption) {
    auto b = static_cast<unsigned char>(c);
    data.push_back(static_cast<char>(b < 96 ? b : b - 96));
  }
  return data;
}

const std::string kCode39Chars = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%abcdefghijklmnopqrstuvwxyz";
const std::string kCodabarData = "0123456789-$:/.+";

// The reader wants at least 4 Codabar characters, start and stop included.
std::string CodabarText(TRandom& rng) {
  std::string text = RandomFrom(rng, kCodabarData, 2, 16);
  // Start and stop letters given, in either case, or left to the default.
  if (rng() % 2) text = RandomFrom(rng, "ABCDabcd", 1, 1) + text + RandomFrom(rng, "ABCDabcd", 1, 1);
  return text;
}

using Format = ZXing::BarcodeFormat;

INSTANTIATE_TEST_SUITE_P(
    RandomInputs, Decode,
    testing::Values(
        DecodeCase{"EAN8", EAN_8, Format::EAN8, Digits(7, 7), 0, Encoded},
        DecodeCase{"EAN13", EAN_13, Format::EAN13, Digits(12, 12), 0, Encoded},
        DecodeCase{"EAN13Addon2", EAN_13, Format::EAN13, Digits(12, 12), 2, Encoded},
        DecodeCase{"EAN13Addon5", EAN_13, Format::EAN13, Digits(12, 12), 5, Encoded},
        DecodeCase{"UPCA", UPC_A, Format::UPCA, Digits(11, 11), 0, Encoded},
        DecodeCase{"UPCAAddon2", UPC_A, Format::UPCA, Digits(11, 11), 2, Encoded},
        DecodeCase{"UPCAAddon5", UPC_A, Format::UPCA, Digits(11, 11), 5, Encoded},
        // The reader reports UPC-E with its number system 0 in front.
        DecodeCase{"UPCE", UPC_E, Format::UPCE, Digits(6, 6), 0,
                   [](const TLLBarcode& b, const std::string&) { return "0" + std::string(b.EncodedText); }},
        DecodeCase{"Code39", CODE39, Format::Code39,
                   [](TRandom& rng) { return RandomFrom(rng, kCode39Chars, 1, 20); }, 0, WithoutFrame},
        // The reader wants at least 6 digits of interleaved 2 of 5.
        DecodeCase{"Code25i", CODE25i, Format::ITF, Digits(5, 30), 0, Encoded},
        DecodeCase{"Code25iP", CODE25iP, Format::ITF, Digits(5, 30), 0, Encoded},
        DecodeCase{"Code128A", CODE128_A, Format::Code128,
                   [](TRandom& rng) { return RandomBytes(rng, 32, 127, 1, 24); }, 0, SetAData},
        DecodeCase{"Code128B", CODE128_B, Format::Code128,
                   [](TRandom& rng) { return RandomBytes(rng, 32, 127, 1, 24); }, 0, Caption},
        DecodeCase{"Code128C", CODE128_C, Format::Code128, Digits(1, 30), 0, Caption},
        DecodeCase{"Codabar", Codabar, Format::Codabar, CodabarText, 0, Encoded}),
    [](const testing::TestParamInfo<DecodeCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace barcode
