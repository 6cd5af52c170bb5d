// make-contiguous IMAGE PATH BYTES [--partition N] [--engine fat|fsctl]
//
// Creates PATH (such as \SAVE2DSK.BIN) with BYTES bytes on the FAT volume of a
// disk image and makes it contiguous, as sorvault does on the machine: with
// the FAT engine of Windows 95/98 (the default) or the file-system-control
// engine of Windows NT, the image answering the controls. The
// engine's progress lines go to standard output, its messages to standard
// error; the exit status is 0 when the file was placed.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "save_to_disk/engine/fat/fat_placement_engine.h"
#include "save_to_disk/engine/fsctl/fsctl_placement_engine.h"
#include "save_to_disk/engine/placement_messages.h"
#include "save_to_disk/image/disk_image.h"

namespace {

constexpr char kDriveLetter = 'C';

class ConsoleHost : public PlacementHost {
public:
    void ShowMessage(unsigned id) override {
        const char* text = PlacementMessageText(id);
        std::fprintf(stderr, "%s\n", text ? text : "Error.");
    }
    void WriteOutput(const std::string& text) override { std::fputs(text.c_str(), stdout); }
    void EndProgram(int status) override {
        std::fflush(stdout);
        std::exit(status);
    }
    void IgnoreInterrupts(bool ignore) override { std::signal(SIGINT, ignore ? SIG_IGN : SIG_DFL); }
};

int Usage() {
    std::fputs("usage: make-contiguous IMAGE PATH BYTES [--partition N] [--engine fat|fsctl]\n", stderr);
    return 2;
}

// A decimal number that fits `limit`; false for anything else.
bool ParseNumber(const char* text, uint64_t limit, uint64_t& value) {
    if (*text == '\0') return false;
    uint64_t v = 0;
    for (const char* p = text; *p; ++p) {
        if (*p < '0' || *p > '9') return false;
        v = v * 10 + uint64_t(*p - '0');
        if (v > limit) return false;
    }
    value = v;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) return Usage();
    uint64_t bytes;
    uint64_t partition = 0;
    bool fsctl = false;
    if (!ParseNumber(argv[3], 0xFFFFFFFFu, bytes)) return Usage();
    for (int i = 4; i < argc; ++i) {
        if (std::strcmp(argv[i], "--partition") == 0 && i + 1 < argc) {
            if (!ParseNumber(argv[++i], 4, partition)) return Usage();
        } else if (std::strcmp(argv[i], "--engine") == 0 && i + 1 < argc) {
            ++i;
            if (std::strcmp(argv[i], "fsctl") == 0)
                fsctl = true;
            else if (std::strcmp(argv[i], "fat") == 0)
                fsctl = false;
            else
                return Usage();
        } else {
            return Usage();
        }
    }
    const std::string path = argv[2];
    if (path.empty() || path[0] != '\\' || path.size() > 250) return Usage();

    DiskImage disk;
    if (!disk.Open(argv[1], unsigned(partition))) {
        std::fprintf(stderr, "make-contiguous: cannot open the volume of %s\n", argv[1]);
        return 1;
    }
    ConsoleHost host;
    const std::string file = std::string(1, kDriveLetter) + ":" + path;
    bool placed;
    if (fsctl) {
        FsctlPlacementEngine engine(disk, host);
        placed = engine.MakeContiguous(kDriveLetter, file, bytes);
    } else {
        FatPlacementEngine engine(disk, host);
        placed = engine.MakeContiguous(kDriveLetter, file, bytes);
    }
    return placed ? 0 : 1;
}
