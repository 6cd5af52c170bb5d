// The disk access operations over a raw image file: a bare FAT volume, or a
// disk with an MBR partition table whose volume is chosen by partition number.
// Sector access is bounded to the volume; the lock levels are counters; the
// file-system side (create, find, delete, attributes) is a small FAT writer
// that allocates clusters first-fit from the start of the volume, so a
// fragmented volume gives a fragmented file as the real file system would.
// It also answers the Windows NT file-system controls as a file system does:
// retrieval pointers and the volume bitmap in pages, moves that change the FAT
// for real, and, when told to act as NTFS, the NTFS volume data.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "save_to_disk/engine/disk_access.h"
#include "save_to_disk/engine/fat/fat_directory.h"
#include "save_to_disk/engine/fat/fat_geometry.h"
#include "save_to_disk/engine/fsctl/fs_control.h"
#include "save_to_disk/image/image_file.h"

class DiskImage : public DiskAccess {
public:
    // Partition 0 is a bare volume; 1 to 4 the MBR's primary entries. The
    // path is opened with the library's streams (stream_image_file.cpp).
    bool Open(const std::string& imagePath, unsigned partition);
    bool Open(std::unique_ptr<ImageFile> file, unsigned partition);

    // Answers of GetLockFlagState for tests: the next `count` questions are
    // answered `state` (someone else wrote the volume), later ones 0.
    void SetLockFlagState(uint8_t state, unsigned count);
    unsigned LockDepth() const { return lockDepth_; }
    // Answer the NTFS volume data, with this MFT zone (in logical clusters).
    void SetNtfsVolumeData(int64_t mftZoneStart, int64_t mftZoneEnd);
    // Retrieval pointers in pages of at most this many extents.
    void SetExtentsPerAnswer(uint32_t extents) { extentsPerAnswer_ = extents; }
    // Someone else takes the first target cluster of each of the next `count`
    // moves just before it (the cluster becomes used), so the move is refused.
    void SetMoveRace(unsigned count) { moveRaces_ = count; }
    // The next `count` moves of more than one cluster move only their first
    // half and still answer success.
    void SetPartialMoves(unsigned count) { partialMoves_ = count; }
    unsigned VolumeFlushes() const { return flushes_; }

    bool OpenDevice() override { return file_ != nullptr; }
    void CloseDevice() override {}
    bool GetVolumeFileSystemName(const std::string& root, std::string& name) override;
    bool IsFixedDrive(const std::string& root) override;
    bool IsWindows9x(uint32_t& build) override;
    bool LockVolume(unsigned drive, unsigned level, unsigned permissions) override;
    bool UnlockVolume(unsigned drive) override;
    uint8_t GetLockFlagState(unsigned drive) override;
    int64_t GetFirstCluster(const std::string& path) override;
    bool ReadSectors(unsigned drive, uint32_t start, uint32_t count, void* buffer) override;
    bool WriteSectors(unsigned drive, uint32_t start, uint32_t count, const void* buffer,
                      WriteKind kind) override;
    FileCreation CreateSizedFile(const std::string& path, uint64_t size) override;
    bool GetFullPath(const std::string& path, std::string& full) override;
    bool FindFiles(const std::string& pattern, std::vector<std::string>& names) override;
    bool OpenFileForScan(const std::string& path) override;
    void CloseFileForScan() override { scanned_.clear(); }
    bool RemoveFile(const std::string& path) override;
    bool SetAttributes(const std::string& path, uint8_t attributes) override;
    bool ResolveFsControl() override { return true; }
    bool OpenVolume(char letter, uint32_t& error) override;
    void CloseVolume() override { volumeOpen_ = false; }
    uint32_t FsControl(FsControlTarget target, uint32_t code, const void* input, uint32_t inputSize, void* output,
                       uint32_t outputSize, uint32_t& returned, bool& waited) override;
    bool FlushVolume() override;
    uint64_t ScanFileHandle() override { return kScanHandle; }
    uint32_t LastSystemError() override { return kImageError; }
    std::string SystemErrorText(uint32_t error) override;

private:
    // The value of the scan file's "handle", and the system error the image reports.
    static constexpr uint64_t kScanHandle = 0x5CA;
    static constexpr uint32_t kImageError = 31;

    // A directory entry found by path, and where it lies.
    struct FoundEntry {
        DirEntryPosition position;
        uint8_t bytes[kDirEntrySize];
    };

    bool ReadVolume(uint64_t offset, void* data, uint64_t size);
    bool WriteVolume(uint64_t offset, const void* data, uint64_t size);
    bool LoadFat();
    bool StoreFat();
    uint32_t FatEntry(uint32_t n) const;
    void SetFatEntry(uint32_t n, uint32_t value);
    // The absolute sectors of a directory: the fixed root, or a cluster chain.
    bool DirectorySectors(uint32_t firstCluster, std::vector<uint32_t>& sectors) const;
    bool FindEntry(const std::string& path, FoundEntry& found);
    bool FindInDirectory(uint32_t directoryCluster, const char name[11], FoundEntry& found);
    bool FindFreeEntry(uint32_t directoryCluster, DirEntryPosition& position);
    bool WriteEntry(const DirEntryPosition& position, const uint8_t* bytes);
    void FreeChain(uint32_t start);
    // The directory that holds the last component of `path`, as a cluster (0: the fixed root).
    bool ParentDirectory(const std::string& path, uint32_t& cluster);
    // The clusters of a file in chain order; false for a chain that loops or leaves the data area.
    bool FileChain(const FoundEntry& file, std::vector<uint32_t>& chain) const;
    uint32_t AnswerNtfsVolumeData(void* output, uint32_t outputSize, uint32_t& returned);
    uint32_t AnswerVolumeBitmap(int64_t start, void* output, uint32_t outputSize, uint32_t& returned);
    uint32_t AnswerRetrievalPointers(int64_t start, void* output, uint32_t outputSize, uint32_t& returned);
    uint32_t MoveFileClusters(const MoveFileRequest& request);

    std::unique_ptr<ImageFile> file_;
    uint64_t volumeOffset_ = 0;
    uint64_t volumeBytes_ = 0;
    uint32_t sectorSize_ = 512;
    bool formatted_ = false;  // the boot sector gives a layout the file-system side can use
    bool fat32_ = false;
    FatGeometry g_;
    std::vector<uint8_t> fat_;  // FAT copy 0 while a file-system call works
    unsigned lockDepth_ = 0;
    uint8_t lockFlagState_ = 0;
    unsigned lockFlagAnswers_ = 0;
    std::string scanned_;  // the file held open for the scan
    bool volumeOpen_ = false;
    bool ntfs_ = false;
    int64_t mftZoneStart_ = 0;
    int64_t mftZoneEnd_ = 0;
    uint32_t extentsPerAnswer_ = ~0u;
    unsigned moveRaces_ = 0;
    unsigned partialMoves_ = 0;
    unsigned flushes_ = 0;
};
