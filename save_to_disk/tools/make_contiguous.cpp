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
#include <string>

#include "save_to_disk/engine/fat/fat_placement_engine.h"
#include "save_to_disk/engine/fsctl/fsctl_placement_engine.h"
#include "save_to_disk/engine/placement_messages.h"
#include "save_to_disk/image/disk_image.h"
#include "save_to_disk/tools/make_contiguous_arguments.h"

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

}  // namespace

int main(int argc, char** argv) {
    MakeContiguousArguments arguments;
    if (!ParseMakeContiguousArguments(argc, argv, arguments)) return Usage();
    DiskImage disk;
    if (!disk.Open(arguments.image, arguments.partition)) {
        std::fprintf(stderr, "make-contiguous: cannot open the volume of %s\n", arguments.image.c_str());
        return 1;
    }
    ConsoleHost host;
    const std::string file = std::string(1, kDriveLetter) + ":" + arguments.path;
    bool placed;
    if (arguments.fsctl) {
        FsctlPlacementEngine engine(disk, host);
        placed = engine.MakeContiguous(kDriveLetter, file, arguments.bytes);
    } else {
        FatPlacementEngine engine(disk, host);
        placed = engine.MakeContiguous(kDriveLetter, file, arguments.bytes);
    }
    return placed ? 0 : 1;
}
