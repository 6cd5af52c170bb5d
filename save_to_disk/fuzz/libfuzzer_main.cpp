// libFuzzer entries of the FAT engine, the root-directory reader and writer
// and the disk-image binding, one per target: a finding aborts the run.
#include <cstdio>
#include <cstdlib>

#include "save_to_disk/fuzz/volume_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (const FuzzFinding finding = FUZZ_RUN(data, size)) {
        std::fprintf(stderr, "finding: %s\n", finding.what.c_str());
        std::abort();
    }
    return 0;
}
