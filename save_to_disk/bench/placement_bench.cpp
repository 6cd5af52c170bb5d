// placement-bench DIRECTORY
//
// Makes a 1 GiB save file contiguous on a fragmented 4 GiB FAT32 image and
// reports, in one run: the engine's time, the time to copy the same number of
// bytes through the same image binding, their ratio, the FAT sectors read and
// the writes issued. The image (sparse where never written) is built in
// DIRECTORY with mkfs.fat and fragmented by rewriting a filler file's chain so
// that every other MiB of it is free: the save file is created into those holes.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "save_to_disk/image/disk_image.h"
#include "save_to_disk/engine/fat/fat_placement_engine.h"
#include "save_to_disk/engine/fat/fat_table.h"
#include "save_to_disk/core/little_endian.h"

namespace {

constexpr uint64_t kVolumeKiB = 4ull * 1024 * 1024;
constexpr uint64_t kSaveBytes = 1ull << 30;
constexpr uint64_t kFillerBytes = 2200ull << 20;
constexpr uint32_t kBlockBytes = 1 << 20;  // the filler keeps every other block of this size

class CountingImage : public DiskImage {
public:
    bool ReadSectors(unsigned drive, uint32_t start, uint32_t count, void* buffer) override {
        if (start >= fatStart && start < fatEnd) fatSectorsRead += count;
        return DiskImage::ReadSectors(drive, start, count, buffer);
    }
    bool WriteSectors(unsigned drive, uint32_t start, uint32_t count, const void* buffer, WriteKind kind) override {
        ++writes;
        return DiskImage::WriteSectors(drive, start, count, buffer, kind);
    }
    uint32_t fatStart = 0, fatEnd = 0;
    uint64_t fatSectorsRead = 0, writes = 0;
};

class QuietHost : public PlacementHost {
public:
    void ShowMessage(unsigned id) override { std::fprintf(stderr, "message %u\n", id); }
    void WriteOutput(const std::string& text) override { std::fputs(text.c_str(), stdout); }
    void EndProgram(int status) override { std::exit(status); }
    void IgnoreInterrupts(bool) override {}
};

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

bool Fail(const char* what) {
    std::fprintf(stderr, "placement-bench: %s\n", what);
    return false;
}

// Frees every other block of the filler's (contiguous) chain, linking the kept blocks.
bool FragmentFiller(CountingImage& disk, const FatGeometry& g) {
    const int64_t first = disk.GetFirstCluster("C:\\FILLER.DAT");
    if (first < 2) return Fail("no filler");
    const uint32_t perBlock = kBlockBytes / g.bytesPerCluster;
    const uint32_t blocks = uint32_t(kFillerBytes / kBlockBytes);
    FatTable fat(disk, 3, g);
    if (!disk.LockVolume(3, 1, 1) || !disk.LockVolume(3, 2, 0)) return Fail("lock");
    for (uint32_t b = 0; b < blocks; b += 2) {
        const uint32_t start = uint32_t(first) + b * perBlock;
        const int64_t link = b + 2 < blocks ? int64_t(start + 2 * perBlock) : FatTable::kEndOfChain;
        if (!fat.WriteFatEntries(start, perBlock, link) ||
            (b + 1 < blocks && !fat.FreeFatEntries(start + perBlock, perBlock)))
            return Fail("fragmenting the filler");
    }
    // The filler's directory entry (the first of the root directory) gets the size of the half it kept.
    std::vector<uint8_t> root(g.bytesPerSector);
    const uint32_t rootSector = g.ClusterToSector(g.rootCluster);
    bool sized = false;
    if (disk.ReadSectors(3, rootSector, 1, root.data())) {
        for (uint32_t off = 0; off < g.bytesPerSector && !sized; off += 32) {
            if (std::memcmp(root.data() + off, "FILLER  DAT", 11) != 0) continue;
            WriteLe32(root.data() + off + 28, uint32_t((blocks + 1) / 2 * uint64_t(kBlockBytes)));
            sized = disk.WriteSectors(3, rootSector, 1, root.data(), kWriteDirectory);
        }
    }
    disk.UnlockVolume(3);
    disk.UnlockVolume(3);
    return sized || Fail("filler entry");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: placement-bench DIRECTORY\n", stderr);
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);
    const std::string image = (dir / "fat32.img").string();
    std::filesystem::remove(image);
    const std::string mkfs = "PATH=/usr/sbin:/sbin:$PATH; mkfs.fat -C -F 32 -s 8 -n BENCH " + image + " " + std::to_string(kVolumeKiB) + " >/dev/null";
    if (std::system(mkfs.c_str()) != 0) return Fail("mkfs.fat"), 1;

    QuietHost host;
    FatGeometry g;
    {
        CountingImage disk;
        std::vector<uint8_t> boot(512);
        if (!disk.Open(image, 0) || !disk.ReadSectors(3, 0, 1, boot.data()) || !ParseFatBootSector(boot.data(), true, g))
            return Fail("image"), 1;
        // The filler file: created whole, then every other MiB of it freed.
        if (disk.CreateSizedFile("C:\\FILLER.DAT", kFillerBytes) != FileCreation::Created) return Fail("filler"), 1;
        if (!FragmentFiller(disk, g)) return 1;
    }

    CountingImage disk;
    if (!disk.Open(image, 0)) return Fail("image"), 1;
    disk.fatStart = g.reservedSectors;
    disk.fatEnd = g.reservedSectors + g.fatCount * g.sectorsPerFat;
    FatPlacementEngine engine(disk, host);
    const auto engineStart = std::chrono::steady_clock::now();
    const bool placed = engine.MakeContiguous('C', "C:\\SAVE2DSK.BIN", kSaveBytes);
    const double engineSeconds = Seconds(engineStart);
    if (!placed) return Fail("the file was not placed"), 1;
    const uint64_t engineWrites = disk.writes;
    const uint64_t engineFatReads = disk.fatSectorsRead;

    // The same bytes copied through the same binding, 128 KiB at a time, from
    // the start of the data area to the free space after the save file.
    std::vector<uint8_t> buffer(FatPlacementEngine::kCopyBytes);
    const uint32_t step = FatPlacementEngine::kCopyBytes / g.bytesPerSector;
    const uint32_t source = g.ClusterToSector(2);
    const uint32_t target = g.ClusterToSector(g.dataClusters - uint32_t(kSaveBytes / g.bytesPerCluster) - 16);
    if (!disk.LockVolume(3, 1, 1) || !disk.LockVolume(3, 2, 0)) return Fail("lock"), 1;
    const auto copyStart = std::chrono::steady_clock::now();
    for (uint64_t done = 0; done < kSaveBytes; done += FatPlacementEngine::kCopyBytes) {
        const uint32_t at = uint32_t(done / g.bytesPerSector);
        if (!disk.ReadSectors(3, source + at, step, buffer.data()) ||
            !disk.WriteSectors(3, target + at, step, buffer.data(), kWriteFileData))
            return Fail("copy"), 1;
    }
    const double copySeconds = Seconds(copyStart);
    disk.UnlockVolume(3);
    disk.UnlockVolume(3);

    std::printf("\nengine: %.2f s\ncopy of the same bytes: %.2f s\nratio: %.2f\n", engineSeconds, copySeconds,
                engineSeconds / copySeconds);
    std::printf("FAT sectors read: %llu\nwrites issued by the engine: %llu\n",
                (unsigned long long)engineFatReads, (unsigned long long)engineWrites);
    std::filesystem::remove(image);
    return 0;
}
