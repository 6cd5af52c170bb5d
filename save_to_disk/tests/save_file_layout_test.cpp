// The save file's sizing, the size the user may type, the header, the
// signature sector and its checksum.
#include <gtest/gtest.h>

#include "common/core/little_endian.h"
#include "save_to_disk/core/save_file_layout.h"

namespace {

constexpr uint64_t kMiB = 1024 * 1024;

TEST(SaveFileSizing, SixtyFourMegabytesWithSmallVideoMemoryAndAnImage) {
    const uint64_t video = EffectiveVideoMemory(2 * kMiB);
    EXPECT_EQ(video, 16 * kMiB) << "video memory below 4 MiB counts as 16 MiB";
    const SaveFileSizing s = ComputeSaveFileSizing(64 * kMiB, video, 100000);
    EXPECT_EQ(s.sectors, 166091u);
    EXPECT_EQ(s.bytes, 85038592u);
    EXPECT_EQ(s.kb, 83046u);
    EXPECT_TRUE(SizingFits(s));

    // Typing exactly M: S is odd here, so M x 1024 is 512 above B and N = S + 1.
    EXPECT_EQ(ChooseSectorCount(83046, s), 166092u);
    EXPECT_EQ(ChooseSectorCount(90000, s), 180000u);
    const SaveFileSizing even = ComputeSaveFileSizing(64 * kMiB, video, 100000 + 512);
    ASSERT_EQ(even.sectors % 2, 0u);
    EXPECT_EQ(ChooseSectorCount(uint32_t(even.kb), even), even.sectors);
}

TEST(SaveFileSizing, VideoMemoryAtTheFloorIsKeptAndAMissingImageAddsNothing) {
    EXPECT_EQ(EffectiveVideoMemory(4 * kMiB), 4 * kMiB);
    EXPECT_EQ(EffectiveVideoMemory(0), 16 * kMiB);
    const SaveFileSizing s = ComputeSaveFileSizing(512, 4 * kMiB, 0);
    EXPECT_EQ(s.sectors, 1u + 8192 + 2055);
}

TEST(SaveFileSizing, MemoryBeyondWhatTheFileCanHoldIsRefusedNotWrapped) {
    // 4 GiB of memory: B is above 4 GiB; in 32 bits it would wrap to a small size.
    const SaveFileSizing s = ComputeSaveFileSizing(4096 * kMiB, 16 * kMiB, 0);
    EXPECT_GT(s.bytes, 0xFFFFFFFFull);
    EXPECT_FALSE(SizingFits(s));
    EXPECT_TRUE(SizingFits(ComputeSaveFileSizing(4000 * kMiB, 16 * kMiB, 0)));
}

TEST(FileSizeInput, TypedTextAndTheLimits) {
    struct Case {
        const char* text;
        uint32_t value;
        bool valid;  // with a minimum of 83046
    } const cases[] = {
        {"83046", 83046, true},     {"4194303", 4194303, true}, {"83045", 83045, false},
        {"4194304", 4194304, false}, {"83a46", 0, false},       {"", 0, false},
        {" 83046", 0, false},        {"-1", 0, false},          {"123456789", 12345678, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseFileSizeText(c.text), c.value) << c.text;
        EXPECT_EQ(IsValidFileSizeKB(ParseFileSizeText(c.text), 83046), c.valid) << c.text;
    }
}

TEST(SaveFileLayout, HeaderNamesTheImageAtTheEndOfTheFile) {
    ImagePlacement image;
    ASSERT_TRUE(PlaceImage(166092, 100000, image));
    EXPECT_EQ(image.sectors, 196u);
    EXPECT_EQ(image.firstSector, 166092u - 196);
    uint8_t header[512];
    BuildSaveFileHeader(image, header);
    EXPECT_EQ(ReadLe32(header + 64), 0xF13851AAu);
    EXPECT_EQ(ReadLe16(header + 68), 0);
    EXPECT_EQ(ReadLe16(header + 70), 1);
    EXPECT_EQ(ReadLe16(header + 72), 1);
    EXPECT_EQ(header[74], 1);
    EXPECT_EQ(ReadLe32(header + 78), 166092u - 196 - 1);
    EXPECT_EQ(ReadLe32(header + 82), 196u);
    for (int i : {0, 63, 75, 77, 86, 89, 90, 153, 154, 511}) EXPECT_EQ(header[i], 0) << i;
}

TEST(SaveFileLayout, WithoutAnImageTheEntryPointsAtTheEndWithLengthZero) {
    ImagePlacement image;
    ASSERT_TRUE(PlaceImage(10000, 0, image));
    uint8_t header[512];
    BuildSaveFileHeader(image, header);
    EXPECT_EQ(ReadLe32(header + 78), 9999u);
    EXPECT_EQ(ReadLe32(header + 82), 0u);
    // An image that no longer fits behind the first seven sectors is refused.
    EXPECT_FALSE(PlaceImage(10, 4 * 512, image));
    EXPECT_TRUE(PlaceImage(10, 3 * 512, image));
}

TEST(SaveFileLayout, SignatureOfAThousandSectorFile) {
    uint8_t s[512];
    ASSERT_TRUE(BuildSignatureSector(1000, s));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(s), 4), "Vurq");
    EXPECT_EQ(s[4], 0);
    EXPECT_EQ(s[5], 0);
    EXPECT_EQ(ReadLe32(s + 8), 0u);
    EXPECT_EQ(ReadLe32(s + 12), 2u);
    EXPECT_EQ(ReadLe32(s + 16), 998u);
    for (int i = 20; i < 512; ++i) ASSERT_EQ(s[i], 0xFF) << i;
    uint16_t sum = 0;
    for (int i = 6; i < 512; i += 2) sum = uint16_t(sum + ReadLe16(s + i));
    EXPECT_EQ(sum, 0xFFFF);
    EXPECT_EQ(ReadLe16(s + 6), SignatureChecksum(s));
}

}  // namespace
