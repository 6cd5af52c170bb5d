#include "save_to_disk/core/save_file_layout.h"

#include <cstring>

#include "common/core/little_endian.h"

namespace {

constexpr size_t kMaxSizeDigits = 8;

}  // namespace

uint64_t SectorsFor(uint64_t bytes) { return bytes / kSaveFileSectorSize + (bytes % kSaveFileSectorSize != 0); }

uint64_t EffectiveVideoMemory(uint64_t videoMemory) {
    return videoMemory < kVideoMemoryFloor ? kVideoMemoryDefault : videoMemory;
}

SaveFileSizing ComputeSaveFileSizing(uint64_t physicalMemory, uint64_t videoMemory, uint64_t imageBytes) {
    SaveFileSizing s;
    s.sectors = SectorsFor(physicalMemory) + SectorsFor(videoMemory) + SectorsFor(imageBytes) + kSaveFileExtraSectors;
    s.bytes = s.sectors * kSaveFileSectorSize;
    s.kb = (s.bytes + 1023) / 1024;
    return s;
}

bool SizingFits(const SaveFileSizing& sizing) { return sizing.kb <= kMaxSaveFileKB; }

uint32_t ParseFileSizeText(const char* text) {
    uint32_t value = 0;
    for (size_t i = 0; i < kMaxSizeDigits && text[i] != '\0'; ++i) {
        if (text[i] < '0' || text[i] > '9') return 0;
        value = value * 10 + uint32_t(text[i] - '0');
    }
    return value;
}

bool IsValidFileSizeKB(uint32_t kb, uint64_t minimalKB) { return kb >= minimalKB && kb <= kMaxSaveFileKB; }

uint64_t ChooseSectorCount(uint32_t chosenKB, const SaveFileSizing& sizing) {
    return uint64_t(chosenKB) * 1024 > sizing.bytes ? uint64_t(chosenKB) * 2 : sizing.sectors;
}

bool PlaceImage(uint64_t fileSectors, uint64_t imageBytes, ImagePlacement& placement) {
    const uint64_t sectors = SectorsFor(imageBytes);
    if (fileSectors > 0xFFFFFFFFu || sectors + kSaveFileStampedSectors > fileSectors) return false;
    placement.sectors = uint32_t(sectors);
    placement.firstSector = uint32_t(fileSectors - sectors);
    return true;
}

void BuildSaveFileHeader(const ImagePlacement& image, uint8_t (&sector)[512]) {
    SaveFileHeader header;
    std::memset(&header, 0, sizeof header);
    WriteLe32(header.magic, kSaveFileMagic);
    WriteLe16(header.word70, 1);
    WriteLe16(header.word72, 1);
    header.image.present = 1;
    WriteLe32(header.image.start, image.firstSector - 1);
    WriteLe32(header.image.length, image.sectors);
    std::memcpy(sector, &header, sizeof header);
}

uint16_t SignatureChecksum(const uint8_t (&sector)[512]) {
    uint16_t sum = 0;
    for (size_t offset = 8; offset < 512; offset += 2) sum = uint16_t(sum + ReadLe16(sector + offset));
    return uint16_t(~sum);
}

bool BuildSignatureSector(uint64_t fileSectors, uint8_t (&sector)[512]) {
    if (fileSectors < 2 || fileSectors > 0xFFFFFFFFu) return false;
    SaveFileSignature signature;
    std::memset(&signature, 0, sizeof signature);
    std::memcpy(signature.tag, "Vurq", 4);
    WriteLe32(signature.word12, 2);
    WriteLe32(signature.lastSector, uint32_t(fileSectors - 2));
    std::memset(signature.fill, 0xFF, sizeof signature.fill);
    std::memcpy(sector, &signature, sizeof signature);
    WriteLe16(sector + offsetof(SaveFileSignature, checksum), SignatureChecksum(sector));
    return true;
}
