#include "save_to_disk/fuzz/volume_fuzz.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "save_to_disk/image/disk_image.h"
#include "save_to_disk/engine/fat/fat_placement_engine.h"

namespace {

class SilentHost : public PlacementHost {
public:
    void ShowMessage(unsigned) override {}
    void WriteOutput(const std::string&) override {}
    void EndProgram(int) override {}
    void IgnoreInterrupts(bool) override {}
};

// The image binding, recording whether a write was asked for outside the volume.
class BoundedImage : public DiskImage {
public:
    bool WriteSectors(unsigned drive, uint32_t start, uint32_t count, const void* buffer, WriteKind kind) override {
        if (uint64_t(start) + count > volumeSectors) escaped = true;
        return DiskImage::WriteSectors(drive, start, count, buffer, kind);
    }
    uint64_t volumeSectors = 0;
    bool escaped = false;
};

std::string ScratchPath() { return "/tmp/volume-fuzz-" + std::to_string(getpid()) + ".img"; }

}  // namespace

bool RunEngineOnVolumeBytes(const uint8_t* data, size_t size) {
    std::vector<uint8_t> volume(std::clamp(size, kFuzzMinVolumeBytes, kFuzzMaxVolumeBytes), 0);
    std::copy(data, data + std::min(size, volume.size()), volume.begin());
    const std::string path = ScratchPath();
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(volume.data()), std::streamsize(volume.size()));
    }
    BoundedImage disk;
    if (!disk.Open(path, 0)) return true;
    const uint32_t bytesPerSector = uint32_t(volume[11] | volume[12] << 8);
    const bool sizeKnown = bytesPerSector == 512 || bytesPerSector == 1024 || bytesPerSector == 2048 ||
                           bytesPerSector == 4096;
    disk.volumeSectors = volume.size() / (sizeKnown ? bytesPerSector : 512);
    SilentHost host;
    FatPlacementEngine engine(disk, host);
    // A save file of 1 to 64 KiB, chosen by the input.
    const uint64_t saveBytes = 1024 * (1 + (size > 0 ? data[size - 1] % 64 : 0));
    engine.MakeContiguous('C', "C:\\SAVE2DSK.BIN", saveBytes);
    std::remove(path.c_str());
    return !disk.escaped;
}
