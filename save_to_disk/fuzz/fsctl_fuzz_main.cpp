// libFuzzer entry of the file-system-control engine: the input bends the
// controls' answers over one of the volumes named by FSCTL_FUZZ_VOLUMES
// (paths separated by colons); a finding (a hang, a write outside the volume,
// another file changed) aborts the run.
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "save_to_disk/fuzz/volume_fuzz.h"

namespace {
std::vector<std::string> g_volumes;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const char* volumes = std::getenv("FSCTL_FUZZ_VOLUMES");
    std::istringstream list(volumes ? volumes : "");
    for (std::string path; std::getline(list, path, ':');)
        if (!path.empty()) g_volumes.push_back(path);
    if (g_volumes.empty()) {
        std::fprintf(stderr, "FSCTL_FUZZ_VOLUMES names no volume image\n");
        std::exit(2);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (const FuzzFinding finding = RunFsctlEngineOnAnswers(g_volumes, data, size)) {
        std::fprintf(stderr, "finding: %s\n", finding.what.c_str());
        std::abort();
    }
    return 0;
}
