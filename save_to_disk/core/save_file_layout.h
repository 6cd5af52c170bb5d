// SAVE2DSK.BIN: how large it must be, the size the user may choose, and the
// sectors the firmware reads (the header with its image entry, the signature
// sector written twice, the graphical image at the end of the file).
// Sizes are computed in 64 bits; the file's fields are 32-bit, so a size that
// does not fit them is refused rather than wrapped.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr uint32_t kSaveFileSectorSize = 512;
// Sectors the firmware needs beyond memory, video memory and the image.
constexpr uint64_t kSaveFileExtraSectors = 2055;
// The largest size a user may type, in KB (0x3FFFFF).
constexpr uint32_t kMaxSaveFileKB = 4194303;
// Video memory below 4 MiB is taken as 16 MiB.
constexpr uint64_t kVideoMemoryFloor = 0x400000;
constexpr uint64_t kVideoMemoryDefault = 0x1000000;
// Sectors 0 (header), 1 and 2 (signature), 3 to 6 (zero) come before the rest.
constexpr uint32_t kSaveFileStampedSectors = 7;

// The minimal size for physical memory P, video memory V and image G (bytes).
struct SaveFileSizing {
    uint64_t sectors = 0;  // S
    uint64_t bytes = 0;    // B = S x 512
    uint64_t kb = 0;       // M = ceil(B / 1024), what the user is shown
};

uint64_t SectorsFor(uint64_t bytes);  // ceil(bytes / 512)
SaveFileSizing ComputeSaveFileSizing(uint64_t physicalMemory, uint64_t videoMemory, uint64_t imageBytes);
// The video memory the sizing uses: below 4 MiB (none found included) it is 16 MiB.
uint64_t EffectiveVideoMemory(uint64_t videoMemory);
// True when a file of the minimal size can be made at all: M within the
// largest size a user may choose (and so N x 512 within a FAT file's 32-bit size).
bool SizingFits(const SaveFileSizing& sizing);

// The size dialog's answer: the decimal number of at most 8 characters, or 0
// when any character is not a digit.
uint32_t ParseFileSizeText(const char* text);
// The answer is accepted when it lies between M and the largest size.
bool IsValidFileSizeKB(uint32_t kb, uint64_t minimalKB);
// N, the file's length in sectors, for a chosen size K in KB: K x 2 when
// that is more than the minimum, otherwise S.
uint64_t ChooseSectorCount(uint32_t chosenKB, const SaveFileSizing& sizing);

// Where the image lies: I sectors starting at sector D = N - I. False when the
// image does not fit behind the stamped sectors.
struct ImagePlacement {
    uint32_t firstSector = 0;  // D
    uint32_t sectors = 0;      // I
};
bool PlaceImage(uint64_t fileSectors, uint64_t imageBytes, ImagePlacement& placement);

// The 16-byte image entry and the 512-byte header and signature sectors.
#pragma pack(push, 1)
struct ImageEntry {
    uint8_t present;        // 1
    uint8_t reserved[3];
    uint8_t start[4];       // D - 1: the image's first sector counted from sector 1
    uint8_t length[4];      // I
    uint8_t reserved2[4];
};
struct SaveFileHeader {
    uint8_t zero[64];
    uint8_t magic[4];       // 0xF13851AA
    uint8_t word68[2];      // 0
    uint8_t word70[2];      // 1
    uint8_t word72[2];      // 1
    ImageEntry image;
    ImageEntry slots[4];    // zero
    uint8_t tail[358];
};
struct SaveFileSignature {
    char tag[4];            // "Vurq"
    uint8_t byte4;
    uint8_t byte5;
    uint8_t checksum[2];    // makes the words at 6 to 511 sum to 0xFFFF
    uint8_t word8[4];       // 0
    uint8_t word12[4];      // 2
    uint8_t lastSector[4];  // N - 2
    uint8_t fill[492];      // 0xFF
};
#pragma pack(pop)
static_assert(sizeof(ImageEntry) == 16);
static_assert(sizeof(SaveFileHeader) == 512);
static_assert(offsetof(SaveFileHeader, magic) == 64);
static_assert(offsetof(SaveFileHeader, image) == 74);
static_assert(offsetof(SaveFileHeader, slots) == 90);
static_assert(offsetof(SaveFileHeader, tail) == 154);
static_assert(sizeof(SaveFileSignature) == 512);
static_assert(offsetof(SaveFileSignature, checksum) == 6);
static_assert(offsetof(SaveFileSignature, lastSector) == 16);
static_assert(offsetof(SaveFileSignature, fill) == 20);

constexpr uint32_t kSaveFileMagic = 0xF13851AA;

void BuildSaveFileHeader(const ImagePlacement& image, uint8_t (&sector)[512]);
// False when N does not fit the sector's 32-bit field.
bool BuildSignatureSector(uint64_t fileSectors, uint8_t (&sector)[512]);
// The complement of the 16-bit sum of the 252 words at offsets 8 to 511.
uint16_t SignatureChecksum(const uint8_t (&sector)[512]);
