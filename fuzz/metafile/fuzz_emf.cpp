// Enhanced Metafile reading and playback must refuse any damaged data cleanly.
#include "metafile_target.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  platform::fuzzing::PlayFuzzInput<platform::TMetafile>(data, size);
  return 0;
}
