#include "picture/jpegdecoder.h"

#include <bit>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "picture/pictureerrors.h"

namespace picture {
namespace {

// The colour count that leaves room for the system colours in a 256-entry palette.
constexpr int kQuantizedColors = 236;
// Caps libjpeg's own working memory (coefficient buffers of progressive files).
constexpr long kMaxDecoderMemory = 1L << 30;
// libjpeg writes 0xff into the fourth byte, so each pixel reads as a 0xffRRGGBB word.
constexpr J_COLOR_SPACE kPixelColorSpace =
    std::endian::native == std::endian::little ? JCS_EXT_BGRA : JCS_EXT_ARGB;

// libjpeg's error_exit must not return. Ours jumps back to the guard in
// TDecompressor::Run, past libjpeg's C frames only. Corrupt-data warnings while the header
// is read are errors (a header libjpeg has to guess at is no picture we show); later
// warnings, and every trace, are dropped. The progress monitor jumps there too when a
// file has more scans than kMaxJPEGScans, as libjpeg-turbo advises for untrusted input.
struct TErrorManager {
  jpeg_error_mgr Public;  // first member: libjpeg sees only this one
  std::jmp_buf Jump;
  bool WarningsAreErrors = true;
  bool TooManyScans = false;
};

extern "C" {
static void JumpToGuard(j_common_ptr info) {
  std::longjmp(reinterpret_cast<TErrorManager*>(info->err)->Jump, 1);
}
static void EmitMessage(j_common_ptr info, int level) {
  if (level < 0 && reinterpret_cast<TErrorManager*>(info->err)->WarningsAreErrors) JumpToGuard(info);
}
static void IgnoreOutput(j_common_ptr) {}
static void LimitScans(j_common_ptr info) {
  if (!info->is_decompressor || reinterpret_cast<j_decompress_ptr>(info)->input_scan_number <= kMaxJPEGScans) return;
  reinterpret_cast<TErrorManager*>(info->err)->TooManyScans = true;
  JumpToGuard(info);
}
}

// Owns one libjpeg decompressor over an in-memory file. Every call into libjpeg goes
// through Run, whose steps are plain functions with no objects to destroy, so the jump
// skips nothing but trivial frames.
class TDecompressor {
 public:
  explicit TDecompressor(std::span<const uint8_t> data) : FData(data) {
    FInfo.err = jpeg_std_error(&FError.Public);
    FError.Public.error_exit = JumpToGuard;
    FError.Public.emit_message = EmitMessage;
    FError.Public.output_message = IgnoreOutput;
    FProgress.progress_monitor = LimitScans;
    TSource source{FData, &FProgress};
    try {
      Run(Open, source);
    } catch (...) {
      jpeg_destroy_decompress(&FInfo);
      throw;
    }
    FError.WarningsAreErrors = false;
  }
  ~TDecompressor() { jpeg_destroy_decompress(&FInfo); }
  TDecompressor(const TDecompressor&) = delete;
  TDecompressor& operator=(const TDecompressor&) = delete;

  jpeg_decompress_struct& Info() { return FInfo; }

  template <typename T>
  void Run(void (*step)(j_decompress_ptr, T&), T& context) {
    if (setjmp(FError.Jump) != 0) {
      if (FError.TooManyScans)
        throw EInvalidGraphic("JPEG image has more than " + std::to_string(kMaxJPEGScans) + " scans");
      throw EJPEGError(FError.Public.msg_code);
    }
    step(&FInfo, context);
  }

 private:
  struct TSource {
    std::span<const uint8_t> Data;
    jpeg_progress_mgr* Progress;
  };

  // jpeg_create_decompress clears the whole struct, so the monitor is installed after it.
  static void Open(j_decompress_ptr info, TSource& source) {
    jpeg_create_decompress(info);
    info->mem->max_memory_to_use = kMaxDecoderMemory;
    info->progress = source.Progress;
    jpeg_mem_src(info, source.Data.data(), static_cast<unsigned long>(source.Data.size()));
    jpeg_read_header(info, TRUE);
  }

  TErrorManager FError{};
  jpeg_progress_mgr FProgress{};
  jpeg_decompress_struct FInfo{};
  std::span<const uint8_t> FData;
};

void ReadMultiScan(j_decompress_ptr info, TJPEGHeader& header) {
  header.MultiScan = jpeg_has_multiple_scans(info) != FALSE;
}

// --- decoder settings ---

void UseFastSettings(jpeg_decompress_struct& info) {
  info.dct_method = JDCT_IFAST;
  info.two_pass_quantize = FALSE;
  info.dither_mode = JDITHER_ORDERED;
}

void UseFinalSettings(jpeg_decompress_struct& info, const TJPEGOptions& options) {
  info.dct_method = JDCT_ISLOW;
  info.two_pass_quantize = TRUE;
  info.dither_mode = JDITHER_FS;
  if (options.Performance == jpBestSpeed) UseFastSettings(info);
}

void ApplyOptions(jpeg_decompress_struct& info, const TJPEGOptions& options, bool buffered) {
  info.scale_num = 1;
  info.scale_denom = 1u << options.Scale;
  info.do_block_smoothing = options.Smoothing;
  if (options.GrayScale) info.out_color_space = JCS_GRAYSCALE;
  bool quantize = options.PixelFormat == jf8Bit || info.out_color_space == JCS_GRAYSCALE;
  if (quantize) {
    if (info.out_color_space != JCS_GRAYSCALE) info.out_color_space = JCS_RGB;
    info.quantize_colors = TRUE;
    info.desired_number_of_colors = kQuantizedColors;
  } else {
    info.out_color_space = kPixelColorSpace;
  }
  UseFinalSettings(info, options);
  // The fast intermediate passes use the one-pass quantiser, which must be enabled up front.
  if (buffered) info.enable_1pass_quant = TRUE;
  info.buffered_image = buffered;
}

// --- output passes ---

struct TOutput {
  TBitmapBits* Bits = nullptr;
  JSAMPROW* Rows = nullptr;   // the bitmap's rows, for direct 32-bit output
  JSAMPLE* IndexRow = nullptr;  // one row of colour indexes, for quantised output
  uint32_t Palette[256] = {};
  // Buffered-image mode only:
  const TJPEGOptions* Options = nullptr;
  bool FinalPass = false;
};

void LoadPalette(j_decompress_ptr info, TOutput& out) {
  if (!info->quantize_colors) return;
  bool gray = info->out_color_components == 1;
  for (int i = 0; i < info->actual_number_of_colors; ++i) {
    JSAMPLE r = info->colormap[0][i];
    out.Palette[i] = gray ? PixelRGB(r, r, r) : PixelRGB(r, info->colormap[1][i], info->colormap[2][i]);
  }
}

void ReadRows(j_decompress_ptr info, TOutput& out) {
  TBitmapBits& bits = *out.Bits;
  while (info->output_scanline < info->output_height) {
    int y = static_cast<int>(info->output_scanline);
    JDIMENSION read;
    if (info->quantize_colors) {
      read = jpeg_read_scanlines(info, &out.IndexRow, 1);
      uint32_t* row = bits.Row(y);
      for (int x = 0; x < bits.Width && read == 1; ++x) row[x] = out.Palette[out.IndexRow[x]];
    } else {
      read = jpeg_read_scanlines(info, out.Rows + y, info->output_height - y);
    }
    if (read == 0) {  // cannot happen with an in-memory source; never leave rows unwritten
      std::memset(bits.Row(y), 0, bits.BytesPerLine() * (bits.Height - y));
      break;
    }
  }
}

void CalcOutputSize(j_decompress_ptr info, TOutput&) { jpeg_calc_output_dimensions(info); }

void DecodeSinglePass(j_decompress_ptr info, TOutput& out) {
  jpeg_start_decompress(info);
  LoadPalette(info, out);
  ReadRows(info, out);
  jpeg_finish_decompress(info);
}

void StartBuffered(j_decompress_ptr info, TOutput&) { jpeg_start_decompress(info); }

// One display pass per scan while input remains, then a last pass with the final settings.
void DecodeBufferedPass(j_decompress_ptr info, TOutput& out) {
  out.FinalPass = jpeg_input_complete(info) != FALSE;
  if (out.FinalPass) {
    UseFinalSettings(*info, *out.Options);
    if (info->two_pass_quantize) info->colormap = nullptr;  // have the two-pass quantiser choose a map
  } else {
    UseFastSettings(*info);
  }
  jpeg_start_output(info, info->input_scan_number);
  LoadPalette(info, out);
  ReadRows(info, out);
  jpeg_finish_output(info);
}

void FinishBuffered(j_decompress_ptr info, TOutput&) { jpeg_finish_decompress(info); }

}  // namespace

TJPEGHeader ReadJPEGHeader(std::span<const uint8_t> data) {
  TDecompressor decompressor(data);
  const auto& info = decompressor.Info();
  TJPEGHeader header;
  header.Width = static_cast<int>(info.image_width);
  header.Height = static_cast<int>(info.image_height);
  header.GrayScale = info.jpeg_color_space == JCS_GRAYSCALE;
  decompressor.Run(ReadMultiScan, header);
  return header;
}

int ScaledDimension(int size, TJPEGScale scale) {
  int denominator = 1 << scale;
  return (size + denominator - 1) / denominator;
}

TBitmapBits DecodeJPEG(std::span<const uint8_t> data, const TJPEGOptions& options,
                       const TJPEGPassEvent& onPass) {
  TDecompressor decompressor(data);
  auto& info = decompressor.Info();
  TJPEGHeader header;
  decompressor.Run(ReadMultiScan, header);
  bool buffered = options.ProgressiveDisplay && header.MultiScan;
  ApplyOptions(info, options, buffered);

  TOutput out;
  decompressor.Run(CalcOutputSize, out);
  TBitmapBits bits;
  CheckPictureSize("JPEG", info.output_width, info.output_height);
  bits.Allocate(static_cast<int>(info.output_width), static_cast<int>(info.output_height));
  std::vector<JSAMPROW> rows(bits.Height);
  for (int y = 0; y < bits.Height; ++y) rows[y] = reinterpret_cast<JSAMPROW>(bits.Row(y));
  std::vector<JSAMPLE> indexRow(bits.Width);
  out.Bits = &bits;
  out.Rows = rows.data();
  out.IndexRow = indexRow.data();
  out.Options = &options;

  if (!buffered) {
    decompressor.Run(DecodeSinglePass, out);
    return bits;
  }
  decompressor.Run(StartBuffered, out);
  for (;;) {
    decompressor.Run(DecodeBufferedPass, out);
    if (out.FinalPass) break;
    if (onPass) onPass(bits);
  }
  decompressor.Run(FinishBuffered, out);
  return bits;
}

}  // namespace picture
