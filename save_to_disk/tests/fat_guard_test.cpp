// What the engine refuses: boot sectors with impossible layouts, a save file
// whose chain is broken, and volumes where another chain runs into free
// clusters or into the save file. Nothing is written in any of these, and a
// damage it can work around (a cross-link or a loop between other files) is
// left exactly as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>

#include "save_to_disk/engine/placement_messages.h"
#include "save_to_disk/tests/engine_run.h"
#include "save_to_disk/tests/fat_image.h"

namespace {

const char* kSaveName = "SAVE2DSK.BIN";

struct BootDamage {
    const char* name;
    // Changes the boot sector given the layout it had.
    std::function<void(std::vector<uint8_t>&, const VolumeLayout&)> apply;
};

void Put16(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    b[at] = uint8_t(v);
    b[at + 1] = uint8_t(v >> 8);
}

class ImpossibleBootSector : public testing::TestWithParam<BootDamage> {};

TEST_P(ImpossibleBootSector, IsRefusedBeforeAnythingIsWritten) {
    FatImage image({16, 4096, 1});
    image.AddFile("KEEP.DAT", 10);
    std::vector<uint8_t> boot = image.ReadBytes(0, 512);
    GetParam().apply(boot, image.Layout());
    image.WriteBytes(0, boot);
    const std::vector<uint8_t> before = image.ReadBytes(0, 4096 * 1024);

    const EngineRun run = RunEngine(image, 20);
    EXPECT_FALSE(run.placed);
    EXPECT_EQ(run.host.messages, std::vector<unsigned>{kMsgBadBootSector});
    EXPECT_EQ(run.host.endStatus, 1);
    EXPECT_EQ(run.writes, 0u);
    EXPECT_TRUE(image.ReadBytes(0, 4096 * 1024) == before) << "the image is unchanged";
}

INSTANTIATE_TEST_SUITE_P(
    Fields, ImpossibleBootSector,
    testing::Values(
        BootDamage{"BytesPerSector256", [](auto& b, auto&) { Put16(b, 11, 256); }},
        BootDamage{"BytesPerSector0", [](auto& b, auto&) { Put16(b, 11, 0); }},
        BootDamage{"SectorsPerCluster0", [](auto& b, auto&) { b[13] = 0; }},
        BootDamage{"SectorsPerCluster3", [](auto& b, auto&) { b[13] = 3; }},
        BootDamage{"NoFat", [](auto& b, auto&) { b[16] = 0; }},
        BootDamage{"FatSize0", [](auto& b, auto&) { Put16(b, 22, 0); }},
        BootDamage{"FatTooSmallForClusters", [](auto& b, auto&) { Put16(b, 22, 2); }},
        BootDamage{"DataAreaBeyondVolume", [](auto& b, auto&) { Put16(b, 19, 40); }},
        BootDamage{"NoReservedSector", [](auto& b, auto&) { Put16(b, 14, 0); }},
        // 4086 clusters: FAT16 by the usual rule, FAT12 by the engine's: refused.
        BootDamage{"ClusterCountBetweenRules",
                   [](auto& b, const VolumeLayout& l) {
                       Put16(b, 19, l.reserved + l.fats * l.sectorsPerFat + l.rootEntries * 32 / 512 + 4086);
                   }}),
    [](const testing::TestParamInfo<BootDamage>& info) { return info.param.name; });

// FAT32 only: a second FAT made the active one, with mirroring off.
TEST(ImpossibleFat32BootSector, SecondActiveFatWithoutMirroringIsRefused) {
    FatImage image({32, 36864, 1});
    std::vector<uint8_t> boot = image.ReadBytes(0, 512);
    Put16(boot, 40, 0x0081);
    image.WriteBytes(0, boot);
    const EngineRun run = RunEngine(image, 20);
    EXPECT_EQ(run.host.messages, std::vector<unsigned>{kMsgBadBootSector});
    EXPECT_EQ(run.writes, 0u);
}

// The binding answers each setup question as a failing system would.
class SetupImage : public TestImage {
public:
    bool OpenDevice() override { return failing != kMsgNoVwin32 && TestImage::OpenDevice(); }
    bool GetVolumeFileSystemName(const std::string& root, std::string& name) override {
        if (failing == kMsgQueryDriveFailed) return false;
        if (failing == kMsgUnrecognizedDrive) {
            name = "NTFS";
            return true;
        }
        return TestImage::GetVolumeFileSystemName(root, name);
    }
    bool IsFixedDrive(const std::string& root) override {
        return failing != kMsgNotLocalDrive && TestImage::IsFixedDrive(root);
    }
    bool IsWindows9x(uint32_t& build) override { return failing != kMsgNotWindows9x && TestImage::IsWindows9x(build); }
    bool ReadSectors(unsigned drive, uint32_t start, uint32_t count, void* buffer) override {
        return failing != kMsgBadBootSector && TestImage::ReadSectors(drive, start, count, buffer);
    }
    unsigned failing = 0;
};

TEST(VolumeSetup, EachFailureShowsItsMessageAndEndsTheProgram) {
    FatImage image({16, 4096, 1});
    for (unsigned message : {kMsgNoVwin32, kMsgQueryDriveFailed, kMsgUnrecognizedDrive, kMsgNotLocalDrive,
                             kMsgNotWindows9x, kMsgBadBootSector}) {
        SCOPED_TRACE(message);
        SetupImage disk;
        ASSERT_TRUE(disk.Open(image.Path(), 0));
        disk.failing = message;
        RecordingHost host;
        FatPlacementEngine engine(disk, host);
        EXPECT_FALSE(engine.MakeContiguous('C', kSavePath, 4096));
        EXPECT_EQ(host.messages, std::vector<unsigned>{message});
        EXPECT_EQ(host.endStatus, 1);
        EXPECT_EQ(disk.writes, 0u);
        EXPECT_FALSE(image.HasFile(kSaveName));
    }
}

struct ChainDamage {
    const char* name;
    // Changes the save file's chain (its clusters given) in the image.
    std::function<void(FatImage&, const std::vector<uint32_t>&)> apply;
};

class BrokenSaveFileChain : public testing::TestWithParam<ChainDamage> {};

TEST_P(BrokenSaveFileChain, FailsTheScanWithNothingWritten) {
    FatImage image({16, 4096, 1});
    image.Lay({-20, 3, -30, 4}, false);
    FatImage* volume = &image;
    const EngineRun run = RunEngine(image, 50, [&](TestImage& disk) {
        disk.onOpen = [&] { GetParam().apply(*volume, volume->FileClusters(kSaveName)); };
    });
    EXPECT_FALSE(run.placed);
    EXPECT_EQ(run.host.messages, std::vector<unsigned>{kMsgNoFileStart});
    EXPECT_EQ(run.writes, 0u);
    std::string report;
    EXPECT_TRUE(image.OtherFilesIntact(report)) << report;
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, BrokenSaveFileChain,
    testing::Values(
        ChainDamage{"Loops", [](FatImage& im, const auto& c) { im.SetFatEntry(c.back(), c.front()); }},
        ChainDamage{"LeavesDataArea",
                    [](FatImage& im, const auto& c) { im.SetFatEntry(c[30], im.Layout().dataClusters + 5); }},
        ChainDamage{"EndsEarly", [](FatImage& im, const auto& c) { im.SetFatEntry(c[30], 0xFFFF); }},
        ChainDamage{"RunsIntoFreeCluster", [](FatImage& im, const auto& c) { im.SetFatEntry(c[30], 7000); }},
        ChainDamage{"PointsAtReservedCluster", [](FatImage& im, const auto& c) { im.SetFatEntry(c[30], 1); }}),
    [](const testing::TestParamInfo<ChainDamage>& info) { return info.param.name; });

// The clusters and bytes of the other files, as the tests' reader sees them.
std::map<std::string, std::vector<std::vector<uint8_t>>> Snapshot(const FatImage& image,
                                                                   const std::vector<std::string>& names) {
    std::map<std::string, std::vector<std::vector<uint8_t>>> shot;
    for (const std::string& name : names) {
        for (uint32_t c : image.FileClusters(name)) {
            std::vector<uint8_t> bytes = image.ReadCluster(c);
            const uint32_t entry = image.FatEntry(c);
            bytes.insert(bytes.end(), {uint8_t(c), uint8_t(c >> 8), uint8_t(entry), uint8_t(entry >> 8)});
            shot[name].push_back(bytes);
        }
    }
    return shot;
}

struct VolumeDamage {
    const char* name;
    // Damages the volume laid out as {A 3, hole 20, B 4, hole 30, C 6, D 5}.
    std::function<void(FatImage&)> apply;
    bool refused;
    VolumeRecipe recipe = {16, 4096, 1};
};

class DamagedVolume : public testing::TestWithParam<VolumeDamage> {};

// A file `depth` directories down ("D/D/.../DEEP.DAT"), of 3 clusters; returns its path.
std::string AddDeepFile(FatImage& im, unsigned depth) {
    std::string path;
    for (unsigned i = 0; i < depth; ++i) {
        path += "D";
        im.MakeDirectory(path);
        path += "/";
    }
    path += "DEEP.DAT";
    im.AddFile(path, 3);
    return path;
}

TEST_P(DamagedVolume, IsNotMadeWorse) {
    FatImage image(GetParam().recipe);
    image.Lay({3, -20, 4, -30, 6, 5}, false);
    GetParam().apply(image);
    const std::vector<std::string> others = {"L0.DAT", "L2.DAT", "L4.DAT", "L5.DAT"};
    const auto before = Snapshot(image, others);

    const EngineRun run = RunEngine(image, 50);
    EXPECT_EQ(Snapshot(image, others), before);
    if (GetParam().refused) {
        EXPECT_FALSE(run.placed);
        EXPECT_EQ(run.host.messages, std::vector<unsigned>{kMsgDamagedVolume});
        EXPECT_EQ(run.writes, 0u);
        EXPECT_FALSE(image.HasFile(kSaveName));
    } else {
        EXPECT_TRUE(run.placed);
        EXPECT_EQ(FatImage::Runs(image.FileClusters(kSaveName)).size(), 1u);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, DamagedVolume,
    testing::Values(
        // A's chain runs on into a cluster far out in the free space.
        VolumeDamage{"ChainIntoFreeCluster",
                     [](FatImage& im) { im.SetFatEntry(im.FileClusters("L0.DAT").back(), 3000); }, true},
        // A's chain runs on into the hole that the save file will be created in.
        VolumeDamage{"ChainIntoSaveFile",
                     [](FatImage& im) {
                         im.SetFatEntry(im.FileClusters("L0.DAT").back(), im.FileClusters("L0.DAT").back() + 5);
                     },
                     true},
        // B's chain runs on into the middle of C.
        VolumeDamage{"CrossLinkBetweenOthers",
                     [](FatImage& im) {
                         im.SetFatEntry(im.FileClusters("L2.DAT").back(), im.FileClusters("L4.DAT")[2]);
                     },
                     true},
        // D's last cluster leads back to its first.
        VolumeDamage{"LoopedChain",
                     [](FatImage& im) {
                         const auto d = im.FileClusters("L5.DAT");
                         im.SetFatEntry(d.back(), d.front());
                     },
                     true},
        // Clusters in use that no file owns.
        VolumeDamage{"LostClusters", [](FatImage& im) { im.SetFatEntry(2500, 0xFFFF); }, false},
        // A file forty directories down runs on into free space.
        VolumeDamage{"DeepFileIntoFreeCluster",
                     [](FatImage& im) { im.SetFatEntry(im.FileClusters(AddDeepFile(im, 40)).back(), 3000); }, true},
        // A directory's chain runs into a file's clusters.
        VolumeDamage{"DirectoryIntoFile",
                     [](FatImage& im) {
                         im.MakeDirectory("SUB");
                         im.SetFatEntry(im.FileClusters("SUB").back(), im.FileClusters("L4.DAT")[1]);
                     },
                     true},
        // FAT32: a file's chain runs into the root directory's chain.
        VolumeDamage{"Fat32FileIntoRootDirectory",
                     [](FatImage& im) { im.SetFatEntry(im.FileClusters("L5.DAT").back(), im.Layout().rootCluster); },
                     true, {32, 36864, 1}},
        // The second FAT calls a cluster used that the first calls free.
        VolumeDamage{"FatCopiesDisagreeOnFreeCluster", [](FatImage& im) { im.SetFatEntryInCopy(1, 3000, 0xFFFF); },
                     true},
        VolumeDamage{"Fat32FatCopiesDisagreeOnFreeCluster",
                     [](FatImage& im) { im.SetFatEntryInCopy(1, 3000, 0x0FFFFFFF); }, true, {32, 36864, 1}},
        // The copies differ only inside another file's chain, where the engine never writes.
        VolumeDamage{"FatCopiesDisagreeInsideAnotherFile",
                     [](FatImage& im) { im.SetFatEntryInCopy(1, im.FileClusters("L4.DAT")[1], 0xFFFF); }, false}),
    [](const testing::TestParamInfo<VolumeDamage>& info) { return info.param.name; });

}  // namespace

namespace {

// Another writer moves the clusters [from, from + count) of the save file's
// chain to the end of the volume, as a file system would: copy, link the
// predecessor (or the directory entry) to the copy, free the old clusters.
void MoveSaveFileRunToEnd(FatImage& im, size_t from, size_t count) {
    const std::vector<uint32_t> chain = im.FileClusters(kSaveName);
    ASSERT_LT(from + count, chain.size());
    ASSERT_GT(from, 0u);
    const uint32_t target = im.Layout().dataClusters + 2 - uint32_t(count);
    for (size_t i = 0; i < count; ++i) {
        ASSERT_EQ(im.FatEntry(target + uint32_t(i)), 0u);
        im.WriteBytes(im.Layout().FirstDataByte() + uint64_t(target + i - 2) * im.BytesPerCluster(),
                      im.ReadCluster(chain[from + i]));
    }
    for (size_t i = 0; i + 1 < count; ++i) im.SetFatEntry(target + uint32_t(i), target + uint32_t(i) + 1);
    im.SetFatEntry(target + uint32_t(count) - 1, chain[from + count]);
    im.SetFatEntry(chain[from - 1], target);
    for (size_t i = 0; i < count; ++i) im.SetFatEntry(chain[from + i], 0);
}

}  // namespace

// Between the scan and the move another writer moves the second run of the
// file: the engine finds the chain no longer as it read it, writes nothing
// of the move and starts over.
TEST(RelinkCheck, ARunMovedByAnotherWriterStartsThePassOver) {
    FatImage image({16, 4096, 1});
    image.Lay({-20, 3, -30, 4, -25, 6}, false);
    FatImage* volume = &image;
    std::vector<uint8_t> before;
    const EngineRun run = RunEngine(image, 60, [&](TestImage& disk) {
        disk.onMoveLock = [&](unsigned n) {
            if (n != 1) return;
            ASSERT_TRUE(volume->ReadFile(kSaveName, before));
            MoveSaveFileRunToEnd(*volume, 20, 30);
        };
    });
    EXPECT_TRUE(run.placed);
    EXPECT_NE(run.host.output.find("Disk changed. Reprocessing..."), std::string::npos);
    EXPECT_EQ(FatImage::Runs(image.FileClusters(kSaveName)).size(), 1u);
    std::string report;
    EXPECT_TRUE(image.FsckClean(false, report)) << report;
    EXPECT_TRUE(image.OtherFilesIntact(report)) << report;
    std::vector<uint8_t> after;
    ASSERT_TRUE(image.ReadFile(kSaveName, after));
    EXPECT_TRUE(after == before);
}

// Between the scan and the first run's move another writer takes a free
// cluster whose FAT entry shares a sector with the run's target: the move
// writes that sector as the disk holds it now, so the other writer's entry
// stays, and the cluster it took is left alone.
TEST(RelinkCheck, AnEntryTakenBesideAMovedRunIsKept) {
    FatImage image({16, 2560, 1});
    // The save file fills the holes of 60, 60 and 30; it moves into the 100 and the 80.
    image.Lay({-60, 5, -60, 5, -30, 5, -100, 5, -80, 5, -20, 5}, true);
    FatImage* volume = &image;
    uint32_t taken = 0;
    const EngineRun run = RunEngine(image, 150, [&](TestImage& disk) {
        disk.onMoveLock = [&](unsigned n) {
            if (n != 1) return;
            // The save file's first run goes to the start of the 100 hole; a cluster behind it is taken.
            const uint32_t hundred = 2 + 60 + 5 + 60 + 5 + 30 + 5;
            taken = hundred + 63;
            ASSERT_EQ(volume->FatEntry(taken), 0u);
            volume->SetFatEntry(taken, 0xFFFF);
        };
    });
    ASSERT_NE(taken, 0u);
    EXPECT_TRUE(run.placed);
    EXPECT_EQ(image.FatEntry(taken), 0xFFFFu) << "the other writer's entry survives the move";
    const std::vector<uint32_t> clusters = image.FileClusters(kSaveName);
    EXPECT_EQ(std::count(clusters.begin(), clusters.end(), taken), 0);
    std::string report;
    EXPECT_TRUE(image.FsckClean(true, report)) << report;
    EXPECT_TRUE(image.OtherFilesIntact(report)) << report;
}
