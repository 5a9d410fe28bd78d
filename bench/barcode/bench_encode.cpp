// Encode at a typical code text of each symbology: the cost paid on every repaint
// and every printed barcode.
#include <benchmark/benchmark.h>

#include <cstring>

#include "barcode/llbarcode.h"

namespace {

using namespace barcode;

void BM_Encode(benchmark::State& state, btCodeTypes type, const char* caption) {
  TLLBarcode b;
  b.Params.CodeType = type;
  std::strncpy(b.Params.Caption, caption, sizeof b.Params.Caption - 1);
  b.Encode();  // tables built before timing
  for (auto _ : state) {
    b.Encode();
    benchmark::DoNotOptimize(b.Modules);
    benchmark::DoNotOptimize(b.ModuleCount);
    benchmark::ClobberMemory();
  }
}

BENCHMARK_CAPTURE(BM_Encode, EAN13_12digits, EAN_13, "400638133393");
BENCHMARK_CAPTURE(BM_Encode, EAN8_7digits, EAN_8, "9638507");
BENCHMARK_CAPTURE(BM_Encode, UPCA_11digits, UPC_A, "03600029145");
BENCHMARK_CAPTURE(BM_Encode, UPCE_6digits, UPC_E, "042100");
BENCHMARK_CAPTURE(BM_Encode, Code128B_18chars, CODE128_B, "Quorvantix Systems");
BENCHMARK_CAPTURE(BM_Encode, Code128C_18digits, CODE128_C, "123456789012345678");
BENCHMARK_CAPTURE(BM_Encode, Code39_10chars, CODE39, "QRV-2024/7");
BENCHMARK_CAPTURE(BM_Encode, Code25i_14digits, CODE25i, "12345678901234");
BENCHMARK_CAPTURE(BM_Encode, Code25iP_13digits, CODE25iP, "1234567890123");
BENCHMARK_CAPTURE(BM_Encode, MSI_10digits, MSI_Plessey, "1234567890");
BENCHMARK_CAPTURE(BM_Encode, Codabar_10chars, Codabar, "A12345678B");
BENCHMARK_CAPTURE(BM_Encode, Postnet_11digits, Postnet, "12345678901");
BENCHMARK_CAPTURE(BM_Encode, FIM, Postnet_FIM, "A");

}  // namespace
