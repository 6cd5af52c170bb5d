// FAT volume images for the engine's tests, built and filled by tools nobody
// here wrote (mkfs.fat, mtools), checked by fsck.fat and by a FAT reader of
// the tests' own that shares nothing with the engine.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct VolumeRecipe {
    int fatBits;              // 12, 16 or 32
    uint32_t sizeKiB;         // of the volume
    uint32_t sectorsPerCluster;
    uint32_t bytesPerSector = 512;
    bool mbr = false;         // behind an MBR partition table (partition 1), or bare
};

// What the tests' own reader sees of a volume.
struct VolumeLayout {
    uint32_t bytesPerSector, sectorsPerCluster, reserved, fats, rootEntries, totalSectors, sectorsPerFat;
    uint32_t rootCluster, dataClusters, fatBits;
    uint64_t FirstDataByte() const;
};

class FatImage {
public:
    explicit FatImage(const VolumeRecipe& recipe);
    ~FatImage();
    FatImage(const FatImage&) = delete;
    FatImage& operator=(const FatImage&) = delete;

    const std::string& Path() const { return image_; }
    unsigned Partition() const { return recipe_.mbr ? 1 : 0; }
    uint32_t BytesPerCluster() const { return layout_.bytesPerSector * layout_.sectorsPerCluster; }
    const VolumeLayout& Layout() const { return layout_; }

    // Copies a file of deterministic content in with mcopy, `clusters` clusters
    // long (the last one partly used), and remembers its bytes.
    void AddFile(const std::string& name, uint32_t clusters);
    void DeleteFile(const std::string& name);  // mdel
    void MakeDirectory(const std::string& name);  // mmd
    // Builds the volume from the start: each entry a file of that many clusters
    // (negative: a hole, a file added and then deleted), then a filler file over
    // whatever is left when `fillRest`. Returns the clusters each entry had.
    std::vector<std::vector<uint32_t>> Lay(const std::vector<int>& clusters, bool fillRest);

    // The bytes a remembered file must now hold (after a write of the test's own).
    void ExpectContent(const std::string& name, std::vector<uint8_t> bytes) { files_[name] = std::move(bytes); }
    // Every remembered file reads back (mcopy) byte for byte as it was written.
    bool OtherFilesIntact(std::string& report) const;
    // A file's bytes as mcopy reads them; false when it cannot be read.
    bool ReadFile(const std::string& name, std::vector<uint8_t>& bytes) const;
    // fsck.fat -n on the volume: its output, and whether it found nothing
    // (or, with `allowLost`, nothing worse than lost clusters and differing FAT copies).
    bool FsckClean(bool allowLost, std::string& output) const;

    // The tests' own reader.
    uint32_t FatEntry(uint32_t n) const;
    void SetFatEntry(uint32_t n, uint32_t value);  // in every FAT copy
    uint32_t FreeClusters() const;
    // Clusters of a file or directory ("NAME.EXT" or "DIR/SUB/NAME.EXT") in
    // chain order (stops at a loop); empty when not found.
    std::vector<uint32_t> FileClusters(const std::string& path) const;
    // A chain from cluster c (stops at a loop or at a link out of the data area).
    std::vector<uint32_t> ChainFrom(uint32_t c) const;
    // Sets cluster n's entry in FAT copy `copy` only.
    void SetFatEntryInCopy(uint32_t copy, uint32_t n, uint32_t value);
    bool HasFile(const std::string& name) const { return !FileClusters(name).empty(); }
    std::vector<uint8_t> ReadCluster(uint32_t cluster) const;
    std::vector<uint8_t> ReadBytes(uint64_t volumeOffset, size_t size) const;
    void WriteBytes(uint64_t volumeOffset, const std::vector<uint8_t>& bytes);

    // The runs of consecutive clusters in a list of clusters.
    static std::vector<std::pair<uint32_t, uint32_t>> Runs(const std::vector<uint32_t>& clusters);

private:
    std::string Mtools(const std::string& tool) const;  // "mcopy -i IMAGE" and the like
    void ReadLayout();
    uint64_t volumeOffset() const { return recipe_.mbr ? kPartitionStart : 0; }

    static constexpr uint64_t kPartitionStart = 2048 * 512;
    VolumeRecipe recipe_;
    std::string dir_;
    std::string image_;
    VolumeLayout layout_{};
    std::map<std::string, std::vector<uint8_t>> files_;
    unsigned fileCounter_ = 0;
};

int RunCommand(const std::string& command, std::string* output = nullptr);
