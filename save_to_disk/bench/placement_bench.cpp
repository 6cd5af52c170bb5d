// placement-bench DIRECTORY
//
// A table of rows, each the best of three rounds: a save file made contiguous
// on a fragmented FAT32 image with 4 KiB clusters (1 GiB in 1,024 and in
// 65,536 fragments on 4 GiB; 4 GiB - 1 KiB in 4,096 fragments on 16 GiB; the
// 1,024-fragment case again through the file-system controls), each round
// the engine and then two plain copies of the same number of bytes through
// the same image binding in 1 MiB writes: one reading contiguous bytes, one
// reading the blocks the save file was created into, a read per fragment;
// and the free-space walk over a volume of 1,000,000 free runs. Each row
// gives the engine's time, the copies', the engine's ratio to each, the FAT
// sectors the engine read through the binding, the sectors of one FAT, the
// engine's FAT scans, its reads past the FATs (data and directories), the
// writes, the fragments and the peak resident size while the engine ran (the
// process's, so it includes the image binding's own copy of the FAT, which
// stands in for the file system's). The images are sparse files built in
// DIRECTORY with mkfs.fat and fragmented by rewriting filler files' chains so
// that every other block of them is free: the save file is created into those
// holes.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <type_traits>
#include <vector>

#include <unistd.h>

#include "common/core/little_endian.h"
#include "save_to_disk/engine/fat/fat_directory.h"
#include "save_to_disk/engine/fat/fat_placement_engine.h"
#include "save_to_disk/engine/fat/fat_table.h"
#include "save_to_disk/engine/fsctl/fsctl_placement_engine.h"
#include "save_to_disk/image/disk_image.h"

namespace {

constexpr unsigned kDrive = 3;
constexpr const char* kSaveFile = "C:\\SAVE2DSK.BIN";
// A FAT file holds less than 4 GiB: the filler is made of files of at most this size.
constexpr uint64_t kFillerFileBytes = 3ull << 30;
constexpr uint32_t kCopyBytes = FatPlacementEngine::kCopyBytes;

class CountingImage : public DiskImage {
public:
    bool ReadSectors(unsigned drive, uint32_t start, uint32_t count, void* buffer) override {
        if (start >= fatStart && start < fatEnd) fatSectorsRead += count;
        else if (start >= fatEnd) ++dataReads;
        return DiskImage::ReadSectors(drive, start, count, buffer);
    }
    bool WriteSectors(unsigned drive, uint32_t start, uint32_t count, const void* buffer, WriteKind kind) override {
        ++writes;
        return DiskImage::WriteSectors(drive, start, count, buffer, kind);
    }
    uint32_t fatStart = 0, fatEnd = 0;
    uint64_t fatSectorsRead = 0, dataReads = 0, writes = 0;
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

// Frees every other block of one filler file's (contiguous) chain, linking
// the kept blocks, and gives its directory entry (in the root directory's
// first sector) the size of the half it kept.
bool FragmentFiller(CountingImage& disk, const FatGeometry& g, const std::string& path, uint64_t fileBytes,
                    uint32_t blockBytes) {
    const int64_t first = disk.GetFirstCluster(path);
    char shortName[11];
    if (first < 2 || !MakeShortName(path.c_str(), shortName)) return Fail("no filler");
    const uint32_t perBlock = blockBytes / g.bytesPerCluster;
    const uint32_t blocks = uint32_t(fileBytes / blockBytes);
    FatTable fat(disk, kDrive, g);
    if (!fat.Load()) return Fail("reading the FAT");
    if (!disk.LockVolume(kDrive, 1, 1) || !disk.LockVolume(kDrive, 2, 0)) return Fail("lock");
    for (uint32_t b = 0; b < blocks; b += 2) {
        const uint32_t start = uint32_t(first) + b * perBlock;
        const int64_t link = b + 2 < blocks ? int64_t(start + 2 * perBlock) : FatTable::kEndOfChain;
        if (!fat.WriteFatEntries(start, perBlock, link) ||
            (b + 1 < blocks && !fat.FreeFatEntries(start + perBlock, perBlock)))
            return Fail("fragmenting the filler");
    }
    std::vector<uint8_t> root(g.bytesPerSector);
    const uint32_t rootSector = g.ClusterToSector(g.rootCluster);
    bool sized = false;
    if (disk.ReadSectors(kDrive, rootSector, 1, root.data())) {
        for (uint32_t off = 0; off < g.bytesPerSector && !sized; off += 32) {
            if (std::memcmp(root.data() + off, shortName, 11) != 0) continue;
            WriteLe32(root.data() + off + 28, uint32_t((blocks + 1) / 2 * uint64_t(blockBytes)));
            sized = disk.WriteSectors(kDrive, rootSector, 1, root.data(), kWriteDirectory);
        }
    }
    disk.UnlockVolume(kDrive);
    disk.UnlockVolume(kDrive);
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
    return (disk.Open(image, 0) && disk.ReadSectors(kDrive, 0, 1, boot.data()) &&
            ParseFatBootSector(boot.data(), true, g)) ||
           Fail("image");
}

std::string FillerPath(unsigned n) { return "C:\\FILLER" + std::to_string(n) + ".DAT"; }

// A FAT32 image of `volumeKiB` with 4 KiB clusters whose first part is filler
// (about twice and an eighth `saveBytes`, in files of at most 3 GiB, each an
// even number of blocks) with every other block of `blockBytes` free, from
// `firstHole` on: a file created there lies in those blocks.
bool MakeFragmentedImage(const std::string& image, uint64_t volumeKiB, uint64_t saveBytes, uint32_t blockBytes,
                         FatGeometry& g, uint32_t& firstHole) {
    if (!MakeImage(image, volumeKiB, 8) || !Geometry(image, g)) return false;
    const uint64_t pair = 2ull * blockBytes;
    uint64_t left = (2 * saveBytes + saveBytes / 8 + pair - 1) / pair * pair;
    CountingImage disk;
    if (!disk.Open(image, 0)) return Fail("image");
    // Every filler file is made before any is fragmented, so that each lies in one run.
    std::vector<uint64_t> sizes;
    for (; left > 0; left -= sizes.back()) {
        sizes.push_back(std::min(left, kFillerFileBytes / pair * pair));
        if (disk.CreateSizedFile(FillerPath(unsigned(sizes.size())), sizes.back()) != FileCreation::Created)
            return Fail("filler");
    }
    firstHole = uint32_t(disk.GetFirstCluster(FillerPath(1)) + blockBytes / g.bytesPerCluster);
    for (unsigned n = 1; n <= sizes.size(); ++n)
        if (!FragmentFiller(disk, g, FillerPath(n), sizes[n - 1], blockBytes)) return false;
    // The save file is created into the holes from the first one on (where the fragment copy reads).
    const bool inHoles = disk.CreateSizedFile(kSaveFile, saveBytes) == FileCreation::Created &&
                         disk.GetFirstCluster(kSaveFile) == firstHole;
    return disk.RemoveFile(kSaveFile) && (inHoles || Fail("the save file is not created into the holes"));
}

// The peak resident size since the last reset (Linux: VmHWM, reset through clear_refs).
void ResetPeakResident() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

uint64_t PeakResidentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::strtoull(line.c_str() + 6, nullptr, 10);
    return 0;
}

struct Row {
    double engine = 1e30, copy = 1e30, fragmentCopy = 1e30;
    uint64_t fatRead = 0, fatSectors = 0, scans = 0, dataReads = 0, writes = 0, fragments = 0, peakKiB = 0;
};

void Print(const char* name, const Row& r, bool withCopy) {
    std::printf("\n%s\n  engine: %.2f s\n", name, r.engine);
    if (withCopy)
        std::printf("  copy: %.2f s\n  ratio: %.2f\n  fragment copy: %.2f s\n  fragment ratio: %.2f\n", r.copy,
                    r.engine / r.copy, r.fragmentCopy, r.engine / r.fragmentCopy);
    std::printf("  fat sectors read: %llu\n  fat sectors: %llu\n  scans: %llu\n  data reads: %llu\n  writes: %llu\n"
                "  fragments: %llu\n  peak resident: %llu KiB\n",
                (unsigned long long)r.fatRead, (unsigned long long)r.fatSectors, (unsigned long long)r.scans,
                (unsigned long long)r.dataReads, (unsigned long long)r.writes, (unsigned long long)r.fragments,
                (unsigned long long)r.peakKiB);
    std::fflush(stdout);
}

// One round of the engine on `image`: the last round's save file deleted, a
// new one of `saveBytes` made contiguous; its time (the best so far stays),
// peak resident size, FAT reads, writes, fragments and scans go into `row`.
// `disk` stays open for the plain copies that follow.
template <typename Engine>
bool EngineRound(CountingImage& disk, const std::string& image, const FatGeometry& g, uint64_t saveBytes, Row& row) {
    if (!disk.Open(image, 0)) return Fail("image");
    disk.fatStart = g.reservedSectors;
    disk.fatEnd = g.reservedSectors + g.fatCount * g.sectorsPerFat;
    disk.RemoveFile(kSaveFile);
    QuietHost host;
    Engine engine(disk, host);
    ResetPeakResident();
    ::sync();
    const auto start = std::chrono::steady_clock::now();
    if (!engine.MakeContiguous('C', kSaveFile, saveBytes)) return Fail("the file was not placed");
    row.engine = std::min(row.engine, Seconds(start));
    row.peakKiB = std::max(row.peakKiB, PeakResidentKiB());
    row.fatRead = disk.fatSectorsRead;
    row.dataReads = disk.dataReads;
    row.writes = disk.writes;
    row.fragments = engine.Totals().fragmentsBefore;
    if constexpr (std::is_same_v<Engine, FatPlacementEngine>) row.scans = engine.FatScans();
    return true;
}

// A plain copy: `bytes` read from cluster `from` on in pieces of `pieceBytes`
// (at most the 1 MiB step) that lie `strideBytes` apart, one read each,
// gathered and written in the engine's 1 MiB steps towards the end of the
// volume, through the same binding. A stride equal to the piece reads
// contiguous bytes.
bool PlainCopy(CountingImage& disk, const FatGeometry& g, uint32_t from, uint64_t bytes, uint32_t pieceBytes,
               uint32_t strideBytes, std::vector<uint8_t>& buffer, double& seconds) {
    const uint32_t source = g.ClusterToSector(from);
    const uint32_t target = g.ClusterToSector(g.ClusterLimit() - uint32_t(bytes / g.bytesPerCluster) - 16);
    const uint32_t piece = std::min(pieceBytes, kCopyBytes) / g.bytesPerSector;
    const uint64_t stride = uint64_t(strideBytes) / pieceBytes * piece;
    if (!disk.LockVolume(kDrive, 1, 1) || !disk.LockVolume(kDrive, 2, 0)) return Fail("lock");
    ::sync();
    const auto start = std::chrono::steady_clock::now();
    uint64_t read = 0;  // pieces read so far
    for (uint64_t done = 0; done < bytes; done += kCopyBytes) {
        const uint32_t at = uint32_t(done / g.bytesPerSector);
        const uint32_t step = uint32_t(std::min<uint64_t>(kCopyBytes, bytes - done) / g.bytesPerSector);
        for (uint32_t gathered = 0; gathered < step; gathered += piece, ++read)
            if (!disk.ReadSectors(kDrive, uint32_t(source + read * stride), std::min(piece, step - gathered),
                                  buffer.data() + size_t(gathered) * g.bytesPerSector))
                return Fail("copy");
        if (!disk.WriteSectors(kDrive, target + at, step, buffer.data(), kWriteFileData)) return Fail("copy");
    }
    seconds = Seconds(start);
    disk.UnlockVolume(kDrive);
    disk.UnlockVolume(kDrive);
    return true;
}

// A save file of `saveBytes` made in about `saveBytes / blockBytes` fragments
// on a fragmented image of `volumeKiB`; the engine's run and the plain copies,
// interleaved, best of three. Between rounds the save file is deleted: the
// next one is created into the same holes. A row the directory's disk has no
// room for is skipped with a line that says so.
template <typename Engine>
bool PlacementRow(const char* name, const std::filesystem::path& dir, uint64_t volumeKiB, uint64_t saveBytes,
                  uint32_t blockBytes) {
    const std::string image = (dir / "fat32.img").string();
    // What the rounds write: the engine's target and the copy's (the filler stays holes).
    const uint64_t needed = 2 * saveBytes + (256ull << 20);
    const std::filesystem::space_info room = std::filesystem::space(dir);
    if (room.available < needed) {
        std::printf("\n%s\n  skipped: %llu MiB free in %s, %llu MiB needed\n", name,
                    (unsigned long long)(room.available >> 20), dir.c_str(), (unsigned long long)(needed >> 20));
        return true;
    }
    FatGeometry g;
    uint32_t firstHole;
    if (!MakeFragmentedImage(image, volumeKiB, saveBytes, blockBytes, g, firstHole)) return false;
    Row row;
    row.fatSectors = g.sectorsPerFat;
    std::vector<uint8_t> buffer(kCopyBytes);
    for (int round = 0; round < 3; ++round) {
        CountingImage disk;
        if (!EngineRound<Engine>(disk, image, g, saveBytes, row)) return false;
        double copy, fragmentCopy;
        // Contiguous bytes from the start of the data area; the blocks the
        // save file was created into, where the engine read it.
        if (!PlainCopy(disk, g, 2, saveBytes, kCopyBytes, kCopyBytes, buffer, copy) ||
            !PlainCopy(disk, g, firstHole, saveBytes, blockBytes, 2 * blockBytes, buffer, fragmentCopy))
            return false;
        row.copy = std::min(row.copy, copy);
        row.fragmentCopy = std::min(row.fragmentCopy, fragmentCopy);
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
    for (int round = 0; round < 3; ++round) {
        CountingImage disk;
        if (!EngineRound<FatPlacementEngine>(disk, image, g, 2 * g.bytesPerCluster, row)) return false;
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
    constexpr uint64_t kGiB = 1ull << 30;
    constexpr uint64_t kLargestSaveFile = 4194303ull * 1024;  // the most a save file can hold
    const bool ok =
        FreeRunsRow("free-space walk over 1,000,000 free runs", dir, 1000000) &&
        PlacementRow<FatPlacementEngine>("1 GiB in 1,024 fragments, 4 GiB FAT32", dir, 4 << 20, kGiB, 1 << 20) &&
        PlacementRow<FatPlacementEngine>("1 GiB in 65,536 fragments, 4 GiB FAT32", dir, 4 << 20, kGiB, 16 << 10) &&
        PlacementRow<FatPlacementEngine>("4 GiB - 1 KiB in 4,096 fragments, 16 GiB FAT32", dir, 16 << 20,
                                         kLargestSaveFile, 1 << 20) &&
        PlacementRow<FsctlPlacementEngine>("1 GiB in 1,024 fragments, 4 GiB FAT32, file-system controls", dir,
                                           4 << 20, kGiB, 1 << 20);
    return ok ? 0 : 1;
}
