// placement-bench DIRECTORY
//
// A table of rows, each the best of three runs: a save file made contiguous on
// a fragmented FAT32 image (1 GiB in 1,024 and in 65,536 fragments on 4 GiB), with a plain copy of the same bytes through the same image
// binding measured in the same rounds, interleaved; and the free-space walk
// over a volume of 1,000,000 free runs. Each row gives the engine's time, the
// copy's, their ratio, the FAT sectors read, the sectors of one FAT, the FAT
// scans of a pass, the writes, the fragments and the peak resident size. The
// images (sparse where never written) are built in DIRECTORY with mkfs.fat
// and fragmented by rewriting a filler file's chain so that every other block
// of it is free: the save file is created into those holes.
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
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
bool FragmentFiller(CountingImage& disk, const FatGeometry& g, uint64_t fillerBytes, uint32_t blockBytes) {
    const int64_t first = disk.GetFirstCluster("C:\\FILLER.DAT");
    if (first < 2) return Fail("no filler");
    const uint32_t perBlock = blockBytes / g.bytesPerCluster;
    const uint32_t blocks = uint32_t(fillerBytes / blockBytes);
    FatTable fat(disk, 3, g);
    if (!fat.Load()) return Fail("reading the FAT");
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
            WriteLe32(root.data() + off + 28, uint32_t((blocks + 1) / 2 * uint64_t(blockBytes)));
            sized = disk.WriteSectors(3, rootSector, 1, root.data(), kWriteDirectory);
        }
    }
    disk.UnlockVolume(3);
    disk.UnlockVolume(3);
    return sized || Fail("filler entry");
}

bool MakeImage(const std::string& image, uint64_t volumeKiB, unsigned sectorsPerCluster) {
    std::filesystem::remove(image);
    const std::string mkfs = "PATH=/usr/sbin:/sbin:$PATH; mkfs.fat -C -F 32 -s " + std::to_string(sectorsPerCluster) +
                             " -n BENCH " + image + " " + std::to_string(volumeKiB) + " >/dev/null 2>&1";
    return std::system(mkfs.c_str()) == 0 || Fail("mkfs.fat");
}

bool Geometry(const std::string& image, FatGeometry& g) {
    CountingImage disk;
    std::vector<uint8_t> boot(512);
    return (disk.Open(image, 0) && disk.ReadSectors(3, 0, 1, boot.data()) && ParseFatBootSector(boot.data(), true, g)) ||
           Fail("image");
}

uint64_t PeakResidentKiB() {
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return uint64_t(usage.ru_maxrss);
}

struct Row {
    double engine = 1e30, copy = 1e30;
    uint64_t fatRead = 0, fatSectors = 0, scans = 0, writes = 0, fragments = 0;
};

void Print(const char* name, const Row& r, bool withCopy) {
    std::printf("\n%s\n  engine: %.2f s\n", name, r.engine);
    if (withCopy) std::printf("  copy: %.2f s\n  ratio: %.2f\n", r.copy, r.engine / r.copy);
    std::printf("  fat sectors read: %llu\n  fat sectors: %llu\n  scans: %llu\n  writes: %llu\n  fragments: %llu\n"
                "  peak resident: %llu KiB\n",
                (unsigned long long)r.fatRead, (unsigned long long)r.fatSectors, (unsigned long long)r.scans,
                (unsigned long long)r.writes, (unsigned long long)r.fragments,
                (unsigned long long)PeakResidentKiB());
    std::fflush(stdout);
}

// A save file of `saveBytes` made in `saveBytes / blockBytes` fragments on a
// FAT32 image of `volumeKiB` with 4 KiB clusters; the engine's run and a plain
// copy of the same bytes through the same binding, interleaved, best of three.
// Between runs the save file is deleted: the next one is created into the same holes.
bool PlacementRow(const char* name, const std::filesystem::path& dir, uint64_t volumeKiB, uint64_t saveBytes,
                  uint32_t blockBytes) {
    const std::string image = (dir / "fat32.img").string();
    const uint64_t fillerBytes = 2 * saveBytes + saveBytes / 8;
    const std::filesystem::space_info room = std::filesystem::space(dir);
    if (room.available < fillerBytes + saveBytes * 2 + (64u << 20)) {
        std::printf("\n%s\n  skipped: %llu MiB free in %s, %llu MiB needed\n", name,
                    (unsigned long long)(room.available >> 20), dir.c_str(),
                    (unsigned long long)((fillerBytes + saveBytes * 2) >> 20));
        return true;
    }
    FatGeometry g;
    if (!MakeImage(image, volumeKiB, 8) || !Geometry(image, g)) return false;
    {
        CountingImage disk;
        if (!disk.Open(image, 0)) return Fail("image");
        if (disk.CreateSizedFile("C:\\FILLER.DAT", fillerBytes) != FileCreation::Created) return Fail("filler");
        if (!FragmentFiller(disk, g, fillerBytes, blockBytes)) return false;
    }
    Row row;
    row.fatSectors = g.sectorsPerFat;
    QuietHost host;
    std::vector<uint8_t> buffer(FatPlacementEngine::kCopyBytes);
    for (int round = 0; round < 3; ++round) {
        CountingImage disk;
        if (!disk.Open(image, 0)) return Fail("image");
        disk.fatStart = g.reservedSectors;
        disk.fatEnd = g.reservedSectors + g.fatCount * g.sectorsPerFat;
        disk.RemoveFile("C:\\SAVE2DSK.BIN");
        FatPlacementEngine engine(disk, host);
        const auto engineStart = std::chrono::steady_clock::now();
        if (!engine.MakeContiguous('C', "C:\\SAVE2DSK.BIN", saveBytes)) return Fail("the file was not placed");
        row.engine = std::min(row.engine, Seconds(engineStart));
        row.fatRead = disk.fatSectorsRead;
        row.writes = disk.writes;
        row.fragments = engine.Totals().fragmentsBefore;
        // Full reads of one FAT's sectors: the copies compared before the save
        // file is created and again before the pass (each copy once), the free-space walk.
        row.scans = 2 * g.fatCount + 1;

        // The same bytes copied through the same binding in the same steps,
        // from the start of the data area to the end of the volume.
        const uint32_t step = FatPlacementEngine::kCopyBytes / g.bytesPerSector;
        const uint32_t source = g.ClusterToSector(2);
        const uint32_t target = g.ClusterToSector(g.dataClusters - uint32_t(saveBytes / g.bytesPerCluster) - 16);
        if (!disk.LockVolume(3, 1, 1) || !disk.LockVolume(3, 2, 0)) return Fail("lock");
        const auto copyStart = std::chrono::steady_clock::now();
        for (uint64_t done = 0; done < saveBytes; done += FatPlacementEngine::kCopyBytes) {
            const uint32_t at = uint32_t(done / g.bytesPerSector);
            if (!disk.ReadSectors(3, source + at, step, buffer.data()) ||
                !disk.WriteSectors(3, target + at, step, buffer.data(), kWriteFileData))
                return Fail("copy");
        }
        row.copy = std::min(row.copy, Seconds(copyStart));
        disk.UnlockVolume(3);
        disk.UnlockVolume(3);
    }
    Print(name, row, true);
    std::filesystem::remove(image);
    return true;
}

// The free-space walk over a FAT32 volume of 512-byte clusters whose every
// other cluster is in use (lost clusters): `runs` free runs of one cluster.
// A save file of two clusters lands in two of them; the engine walks the
// whole FAT, orders the runs and finds no gain in moving it.
bool FreeRunsRow(const char* name, const std::filesystem::path& dir, uint32_t runs) {
    const std::string image = (dir / "runs.img").string();
    const uint64_t clusters = uint64_t(runs) * 2 + 64;
    if (!MakeImage(image, clusters / 2 + clusters / 64 + 1024, 1)) return false;
    FatGeometry g;
    if (!Geometry(image, g)) return false;
    {
        // Every even cluster (the root directory's 2 among them) ends a chain; the odd ones are free.
        std::vector<uint8_t> fat(size_t(g.sectorsPerFat) * g.bytesPerSector, 0);
        for (uint32_t n = 0; n < g.ClusterLimit(); ++n)
            WriteLe32(fat.data() + 4 * size_t(n), n < 2 || n % 2 == 0 ? 0x0FFFFFFFu : 0u);
        WriteLe32(fat.data(), 0x0FFFFFF8u);
        std::fstream f(image, std::ios::in | std::ios::out | std::ios::binary);
        for (uint32_t copy = 0; copy < g.fatCount; ++copy) {
            f.seekp(std::streamoff((uint64_t(g.reservedSectors) + uint64_t(copy) * g.sectorsPerFat) * g.bytesPerSector));
            f.write(reinterpret_cast<const char*>(fat.data()), std::streamsize(fat.size()));
        }
        if (!f) return Fail("writing the FAT");
    }
    Row row;
    row.fatSectors = g.sectorsPerFat;
    QuietHost host;
    for (int round = 0; round < 3; ++round) {
        CountingImage disk;
        if (!disk.Open(image, 0)) return Fail("image");
        disk.fatStart = g.reservedSectors;
        disk.fatEnd = g.reservedSectors + g.fatCount * g.sectorsPerFat;
        disk.RemoveFile("C:\\SAVE2DSK.BIN");
        FatPlacementEngine engine(disk, host);
        const auto start = std::chrono::steady_clock::now();
        engine.MakeContiguous('C', "C:\\SAVE2DSK.BIN", 2 * g.bytesPerCluster);
        row.engine = std::min(row.engine, Seconds(start));
        row.fatRead = disk.fatSectorsRead;
        row.writes = disk.writes;
        row.fragments = engine.Totals().fragmentsBefore;
        row.scans = 2 * g.fatCount + 1;
    }
    Print(name, row, false);
    std::filesystem::remove(image);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: placement-bench DIRECTORY\n", stderr);
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);
    const bool ok = FreeRunsRow("free-space walk over 1,000,000 free runs", dir, 1000000) &&
                    PlacementRow("1 GiB in 1,024 fragments, 4 GiB FAT32", dir, 4ull << 20, 1ull << 30, 1 << 20) &&
                    PlacementRow("1 GiB in 65,536 fragments, 4 GiB FAT32", dir, 4ull << 20, 1ull << 30, 16 << 10);
    return ok ? 0 : 1;
}
