// libFuzzer entry: the save file's size as the user types it, over a sizing
// of memory, video memory and image the input gives. The text reads as its
// first eight characters in decimal (0 with any other character); an accepted
// size gives a file at least as large as the minimum whose image lies behind
// the stamped sectors.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>

#include "save_to_disk/core/save_file_layout.h"

namespace {

uint32_t DecimalOfFirstEight(const std::string& text) {
    uint32_t value = 0;
    for (size_t i = 0; i < text.size() && i < 8; ++i) {
        if (text[i] < '0' || text[i] > '9') return 0;
        value = value * 10 + uint32_t(text[i] - '0');
    }
    return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const uint64_t memory = input.ConsumeIntegral<uint32_t>() * uint64_t(4096);
    const uint64_t video = input.ConsumeIntegral<uint32_t>();
    const uint64_t image = input.ConsumeIntegralInRange<uint64_t>(0, 4 << 20);
    const std::string text = input.ConsumeRemainingBytesAsString();

    const uint32_t kb = ParseFileSizeText(text.c_str());
    if (kb != DecimalOfFirstEight(text.substr(0, text.find('\0')))) std::abort();
    const SaveFileSizing sizing = ComputeSaveFileSizing(memory, video, image);
    if (!SizingFits(sizing) || !IsValidFileSizeKB(kb, sizing.kb)) return 0;
    if (kb < sizing.kb || kb > kMaxSaveFileKB) std::abort();
    const uint64_t sectors = ChooseSectorCount(kb, sizing);
    if (sectors * kSaveFileSectorSize < sizing.bytes) std::abort();
    ImagePlacement placement;
    if (PlaceImage(sectors, image, placement)) {
        if (placement.firstSector < kSaveFileStampedSectors || uint64_t(placement.firstSector) + placement.sectors != sectors)
            std::abort();
        uint8_t header[512];
        BuildSaveFileHeader(placement, header);
    }
    return 0;
}
