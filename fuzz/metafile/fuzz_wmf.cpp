// Windows metafile reading and playback must refuse any damaged data cleanly.
#include "metafile/wmf.h"
#include "metafile_target.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  platform::fuzzing::PlayFuzzInput<platform::TWindowsMetafile>(data, size);
  return 0;
}
