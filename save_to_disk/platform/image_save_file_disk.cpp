// The disk-image binding: the virtual notebook's first hard disk is an image
// with an MBR; its FAT partitions are the drives C:, D:, ... in the order of
// the partition table. Each call opens the image afresh, as every handler
// re-reads the disk, with the Win32 file calls (win32_image_file.h).
#include <windows.h>

#include "save_to_disk/core/partition_table.h"
#include "save_to_disk/engine/fat/fat_placement_engine.h"
#include "save_to_disk/engine/fat/fat_root_file.h"
#include "save_to_disk/image/disk_image.h"
#include "save_to_disk/image/image_partitions.h"
#include "save_to_disk/platform/save_file_disk.h"
#include "save_to_disk/platform/win32_image_file.h"

namespace {

constexpr char kSaveFileEntryName[11] = {'S', 'A', 'V', 'E', '2', 'D', 'S', 'K', 'B', 'I', 'N'};
constexpr uint8_t kAttributesNormal = 0x00;

unsigned DriveNumber(char letter) { return unsigned(letter - 'A' + 1); }

// The volume of one drive letter, with the root file reader over it.
struct OpenDrive {
    DiskImage image;
    FatRootVolume volume;
};

// Holds the two lock levels a sector write needs for as long as the file is open.
class ImageSaveFileWriter final : public SaveFileWriter {
public:
    ImageSaveFileWriter(std::unique_ptr<OpenDrive> drive, FatRootFileEntry entry, unsigned number)
        : drive_(std::move(drive)), entry_(std::move(entry)), number_(number) {
        locked_ = drive_->image.LockVolume(number_, 1, 1) && drive_->image.LockVolume(number_, 2, 0);
    }
    ~ImageSaveFileWriter() override {
        while (drive_->image.LockDepth() > 0) drive_->image.UnlockVolume(number_);
    }
    uint64_t Size() override { return entry_.size; }
    bool WriteSector(const uint8_t (&sector)[512]) override {
        if (!locked_ || !drive_->volume.WriteFileSector(entry_, position_, sector)) return false;
        ++position_;
        return true;
    }
    bool Skip(uint64_t sectors) override {
        position_ += sectors;
        return true;
    }

private:
    std::unique_ptr<OpenDrive> drive_;
    FatRootFileEntry entry_;
    unsigned number_;
    bool locked_ = false;
    uint64_t position_ = 0;
};

class ImageSaveFileDisk final : public SaveFileDisk {
public:
    explicit ImageSaveFileDisk(std::string path) : path_(std::move(path)) {}

    std::vector<char> CandidateDrives() override {
        std::vector<char> letters;
        for (unsigned partition : FatPartitions()) {
            (void)partition;
            letters.push_back(char('C' + letters.size()));
        }
        return letters;
    }

    bool FindSaveFile(char letter, uint64_t& size) override {
        FatRootFileEntry entry;
        auto drive = Open(letter);
        if (!drive || !drive->volume.Find(kSaveFileEntryName, entry)) return false;
        size = entry.size;
        return true;
    }

    void TouchSaveFile(char letter) override {
        auto drive = Open(letter);
        if (!drive) return;
        const std::string path = SaveFilePathOn(letter);
        drive->image.SetAttributes(path, kAttributesNormal);
        drive->image.SetAttributes(path, kSaveFileAttributes);
    }

    bool MarkSaveFile(char letter) override {
        auto drive = Open(letter);
        return drive && drive->image.SetAttributes(SaveFilePathOn(letter), kSaveFileAttributes);
    }

    bool DeleteSaveFile(char letter) override {
        auto drive = Open(letter);
        if (!drive) return false;
        const std::string path = SaveFilePathOn(letter);
        drive->image.SetAttributes(path, kAttributesNormal);
        return drive->image.RemoveFile(path);
    }

    bool FileSystemName(char letter, std::string& name) override {
        auto drive = Open(letter);
        return drive && drive->image.GetVolumeFileSystemName(RootOf(letter), name);
    }

    // Answers as the system's byte-count query does.
    SpaceQuery DriveSpace(char letter, uint64_t saveFileBytes, DriveSpaceInfo& info) override {
        auto drive = Open(letter);
        if (!drive) return SpaceQuery::Failed;
        const uint64_t cluster = drive->volume.BytesPerCluster();
        return DriveSpaceFromBytes(cluster * drive->volume.DataClusters(), cluster * drive->volume.FreeClusters(),
                                   saveFileBytes, info)
                   ? SpaceQuery::Answered
                   : SpaceQuery::Failed;
    }

    // The image answers as Windows 98 does, so the FAT engine works on it.
    void MakeContiguous(char letter, uint64_t bytes, PlacementHost& host) override {
        DiskImage image;
        unsigned partition;
        if (!PartitionOf(letter, partition) || !image.Open(OpenWin32ImageFile(path_, true), partition)) return;
        FatPlacementEngine engine(image, host);
        engine.MakeContiguous(letter, SaveFilePathOn(letter), bytes);
    }

    std::unique_ptr<SaveFileWriter> OpenSaveFile(char letter) override {
        auto drive = Open(letter);
        FatRootFileEntry entry;
        if (!drive || !drive->volume.Find(kSaveFileEntryName, entry)) return nullptr;
        return std::make_unique<ImageSaveFileWriter>(std::move(drive), std::move(entry), DriveNumber(letter));
    }

    PartitionProbeResult ProbeFirstDisk() override {
        uint8_t sector[512];
        uint64_t bytes;
        if (!ReadFirstSector(sector, bytes)) return PartitionProbeResult{};
        return EvaluatePartitionProbe(ImageDiskGeometry(bytes), sector);
    }

private:
    bool ReadFirstSector(uint8_t (&sector)[512], uint64_t& bytes) const {
        const std::unique_ptr<ImageFile> file = OpenWin32ImageFile(path_, false);
        if (!file || !file->Read(0, sector, sizeof sector)) return false;
        bytes = file->Size();
        return HasBootSignature(sector);
    }

    // The MBR entries (1 to 4) of FAT partitions, in table order.
    std::vector<unsigned> FatPartitions() const {
        uint8_t sector[512];
        uint64_t bytes;
        if (!ReadFirstSector(sector, bytes)) return {};
        return FatPartitionsOf(sector);
    }

    bool PartitionOf(char letter, unsigned& partition) const {
        const std::vector<unsigned> partitions = FatPartitions();
        const int index = letter - 'C';
        if (index < 0 || size_t(index) >= partitions.size()) return false;
        partition = partitions[size_t(index)];
        return true;
    }

    std::unique_ptr<OpenDrive> Open(char letter) const {
        unsigned partition;
        auto drive = std::make_unique<OpenDrive>();
        if (!PartitionOf(letter, partition) || !drive->image.Open(OpenWin32ImageFile(path_, true), partition) ||
            !drive->volume.Mount(drive->image, DriveNumber(letter)))
            return nullptr;
        return drive;
    }

    std::string path_;
};

}  // namespace

std::unique_ptr<SaveFileDisk> MakeImageDisk(const std::string& imagePath) {
    return std::make_unique<ImageSaveFileDisk>(imagePath);
}
