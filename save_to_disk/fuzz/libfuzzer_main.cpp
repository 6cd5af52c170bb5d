// libFuzzer entry: any failure of the bound check aborts the run.
#include <cstdlib>

#include "save_to_disk/fuzz/volume_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (!RunEngineOnVolumeBytes(data, size)) std::abort();
    return 0;
}
