// Code 39: its character table and pattern table.
#pragma once

#include "barcode/patterntable.h"

namespace barcode {

// 9 element flags per character (bar, space, ... bar), 1 = wide.
class TBarCode39 : public TPatternTable<9> {
 public:
  TBarCode39();
};

// Built on first use, then only read.
const TBarCode39& Code39Table();

}  // namespace barcode
