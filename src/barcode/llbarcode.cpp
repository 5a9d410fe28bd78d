#include "barcode/llbarcode.h"

#include <array>
#include <cstring>

#include "barcode/eoverflow.h"
#include "barcode/textbuffer.h"
#include "barcode/textprep.h"

namespace barcode {

namespace {

// Module width in millimetres of the classes SC0 to SC9.
constexpr std::array<double, 10> kModuleWidthMM = {0.27, 0.297, 0.33, 0.363, 0.396,
                                                   0.445, 0.495, 0.544, 0.61, 0.66};
constexpr double kFallbackModuleWidthMM = 0.33;

// An add-on is empty, 2 or 5 digits; anything else (also a buffer without its
// terminator, or a non-digit the encoder has no pattern for) is refused.
int CheckedAddonLength(const TCodeAddon& addon) {
  size_t length = BoundedLength(addon, sizeof addon);
  if (length != 0 && length != 2 && length != 5) throw EOverflow(TBarcodeError::WrongAddon);
  for (size_t i = 0; i < length; ++i) {
    if (!IsDigit(addon[i])) throw EOverflow(TBarcodeError::WrongAddon);
  }
  return static_cast<int>(length);
}

}  // namespace

TLLBarcode::TLLBarcode() = default;

double TLLBarcode::ModuleWidthMM() const {
  double width = Params.ModuleWidth < kModuleWidthMM.size() ? kModuleWidthMM[Params.ModuleWidth]
                                                            : kFallbackModuleWidthMM;
  return Params.HighDensity ? width * 0.5 : width;
}

void TLLBarcode::Encode() {
  std::memset(Modules, 0, sizeof Modules);
  ModuleCount = 0;
  EncodedText[0] = '\0';
  PrepareText(Params.Caption, EncodedText, Params.CodeType);
  // The add-on is checked before any module is written, so a refused add-on leaves
  // the module array clear.
  int addonLength = HasEan13Layout(Params.CodeType) ? CheckedAddonLength(Params.CodeAddon) : 0;
  EncodeSymbol();
  if (addonLength == 2) EncodeAddon2();
  if (addonLength == 5) EncodeAddon5();
}

void TLLBarcode::EncodeSymbol() {
  switch (Params.CodeType) {
    case EAN_8: EncodeEAN8(); break;
    case EAN_13: EncodeEAN13(); break;
    case UPC_A: EncodeUPCA(); break;
    case UPC_E: EncodeUPCE(); break;
    case CODE39: EncodeCode39(); break;
    case CODE25i:
    case CODE25iP: Encode25(); break;
    case CODE128_A:
    case CODE128_B:
    case CODE128_C: EncodeCode128(); break;
    case MSI_Plessey: EncodeMSI(); break;
    case Codabar: EncodeCodabar(); break;
    case Postnet: EncodePostnet(); break;
    case Postnet_FIM: EncodeFIM(); break;
    default: throw EOverflow(TBarcodeError::UnknownType);  // PrepareText has refused it already
  }
}

}  // namespace barcode
