// libFuzzer entry of the file-system-control engine: the input bends the
// controls' answers over the volume named by FSCTL_FUZZ_VOLUME; a finding
// (a hang, a write outside the volume, another file changed) aborts the run.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "save_to_disk/fuzz/volume_fuzz.h"

namespace {
std::string g_volume;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const char* volume = std::getenv("FSCTL_FUZZ_VOLUME");
    if (volume == nullptr) {
        std::fprintf(stderr, "FSCTL_FUZZ_VOLUME names no volume image\n");
        std::exit(2);
    }
    g_volume = volume;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (const FuzzFinding finding = RunFsctlEngineOnAnswers(g_volume, data, size)) {
        std::fprintf(stderr, "finding: %s\n", finding.what.c_str());
        std::abort();
    }
    return 0;
}
