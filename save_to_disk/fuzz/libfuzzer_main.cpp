// libFuzzer entry of the FAT engine: a finding aborts the run.
#include <cstdio>
#include <cstdlib>

#include "save_to_disk/fuzz/volume_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (const FuzzFinding finding = RunEngineOnVolumeBytes(data, size)) {
        std::fprintf(stderr, "finding: %s\n", finding.what.c_str());
        std::abort();
    }
    return 0;
}
